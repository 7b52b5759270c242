// Cost of the registry layer's operations, per call, on the in-memory store
// and (in the Windows build) on the real registry. Every call opens and
// closes its key, and every write is flushed, as the program does it.
//
//   registry_bench [N]    N calls per row (default 100000 in memory, 2000 on
//                         the real registry)

#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"
#ifdef _WIN32
#include "platform/win32/Win32Registry.h"
#include <windows.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using velmora::modRegistre;
using velmora::RegInput;
using namespace velmora::platform;

std::size_t sink = 0; // read at the end, so the reads cannot be optimised away

template <class Operation> double nanosecondsPerCall(long calls, Operation&& operation) {
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i) {
        operation(i);
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / static_cast<double>(calls);
}

void row(const char* store, const char* operation, long calls, double ns) {
    std::printf("| %-8s | %-41s | %7ld | %10.3f |\n", store, operation, calls, ns / 1000.0);
}

// The program's usual shape: a value under an identity's client key, with
// a few sibling identities and keys around it.
void measure(const char* name, Registry& store, const std::string& base, long calls) {
    const modRegistre reg(store);
    const std::string identities = base + "\\Identities";
    for (int i = 0; i < 8; ++i) {
        reg.WriteRegValue(HKCU, identities + "\\{0000000" + std::to_string(i) + "}", "Username", 1,
                          std::string("user"));
    }
    const std::string key = identities + "\\{00000003}\\Software\\Microsoft\\Outlook Express\\5.0";
    reg.WriteRegValue(HKCU, key + "\\Mail", "Safe Attachments Locked", 4, 1LL);
    reg.WriteRegValue(HKCU, key, "Store Root", 2, std::string("%UserProfile%\\Local Settings"));
    reg.WriteRegValue(HKCU, key + "\\Rules\\Mail\\000", "Criteria", 3,
                      std::string("viagra\0casino\0lottery", 21));

    row(name, "ReadRegValue REG_DWORD", calls, nanosecondsPerCall(calls, [&](long) {
            sink += reg.ReadRegValue(HKCU, key + "\\Mail", "Safe Attachments Locked").size();
        }));
    row(name, "ReadRegValue REG_EXPAND_SZ", calls, nanosecondsPerCall(calls, [&](long) {
            sink += reg.ReadRegValue(HKCU, key, "Store Root").size();
        }));
    row(name, "ReadRegValueRaw REG_BINARY", calls, nanosecondsPerCall(calls, [&](long) {
            sink += reg.ReadRegValueRaw(HKCU, key + "\\Rules\\Mail\\000", "Criteria").size();
        }));
    row(name, "ReadRegValue missing value", calls, nanosecondsPerCall(calls, [&](long) {
            sink += reg.ReadRegValue(HKCU, key + "\\Mail", "Absent").size();
        }));
    row(name, "EnumRegSubKey", calls, nanosecondsPerCall(calls, [&](long i) {
            sink += reg.EnumRegSubKey(HKCU, identities, static_cast<std::int32_t>(i % 9)).size();
        }));
    row(name, "WriteRegValue REG_DWORD (open,set,flush)", calls,
        nanosecondsPerCall(calls, [&](long i) {
            reg.WriteRegValue(HKCU, key + "\\Mail", "Safe Attachments Locked", 4,
                              static_cast<long long>(i & 1));
        }));
    row(name, "WriteRegValue REG_SZ (open,set,flush)", calls,
        nanosecondsPerCall(calls, [&](long i) {
            reg.WriteRegValue(HKCU, key + "\\Mail", "Signature", 1,
                              RegInput(std::string(i & 1 ? "Regards" : "Cheers")));
        }));
    reg.DeleteRegTree(HKCU, base.substr(0, base.rfind('\\')), base.substr(base.rfind('\\') + 1));
}

} // namespace

int main(int argc, char** argv) {
    const long requested = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    std::printf(
        "| store    | operation                                 |   calls |  us / call |\n");
    std::printf(
        "|----------|-------------------------------------------|---------|------------|\n");
    portable::MemoryRegistry memory;
    measure("memory", memory, "Software\\VelmoraBench\\run", requested > 0 ? requested : 100000);
#ifdef _WIN32
    win32::Win32Registry real;
    const std::string base = "Software\\VelmoraBench\\p" + std::to_string(GetCurrentProcessId());
    measure("win32", real, base, requested > 0 ? requested : 2000);
    real.deleteTree(HKCU, "Software", "VelmoraBench");
#endif
    return sink == 0 ? 1 : 0;
}
