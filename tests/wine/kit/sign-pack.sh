#!/bin/sh
# sign-pack.sh UNSIGNED OUTDIR: a test certificate of its own (openssl), the
# program signed with it (osslsigncode) as signed.exe, and a copy changed
# after signing as tampered.exe.
set -eu
unsigned=$1
out=$2
mkdir -p "$out"
openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Velmora Test Signer" \
    -keyout "$out/test.key" -out "$out/test.crt" >/dev/null 2>&1
osslsigncode sign -certs "$out/test.crt" -key "$out/test.key" -n "Velmora test pack" \
    -in "$unsigned" -out "$out/signed.exe" >/dev/null
cp "$out/signed.exe" "$out/tampered.exe"
# One byte of the code changed: the signature no longer matches the file.
printf 'X' | dd of="$out/tampered.exe" bs=1 seek=1100 conv=notrunc 2>/dev/null
