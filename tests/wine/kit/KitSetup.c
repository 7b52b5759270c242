/* A stand-in setup program: only its version record matters to the tests. */
int main(void) {
    return 0;
}
