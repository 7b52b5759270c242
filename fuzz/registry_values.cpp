// Registry values as the program renders them: any type and bytes another
// program may have stored, read through modRegistre over the in-memory
// store; and DWORD writes of arbitrary text.

#include "FuzzCheck.h"
#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>

using velmora::fuzz::Require;

namespace {

const std::string kKey = "Software\\Velmora_XPSP2";
const std::string kNumberKey = kKey + "\\Typed";

bool AllDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The types the program knows, and now and then any other number.
    const std::uint32_t type = input.ConsumeBool() ? input.ConsumeIntegral<std::uint32_t>()
                                                   : input.ConsumeIntegralInRange(0u, 11u);
    const std::string name = input.ConsumeRandomLengthString(16);
    const std::string number = input.ConsumeRandomLengthString(32);
    // Up to a little past the read buffer.
    const std::string bytes = input.ConsumeRandomLengthString(velmora::kRegBufferSize + 16);

    velmora::platform::portable::MemoryRegistry store;
    const velmora::modRegistre reg(store);
    Require(store.setValue(velmora::HKCU, kKey, name, type, bytes) == velmora::platform::RegOk,
            "the store takes any type and bytes");

    const std::string text = reg.ReadRegValue(velmora::HKCU, kKey, name);
    const std::string raw = reg.ReadRegValueRaw(velmora::HKCU, kKey, name);
    if (bytes.size() > velmora::kRegBufferSize) {
        Require(text == velmora::kNotFound && raw == velmora::kNotFound,
                "a value past the buffer is not found");
    } else if (type == velmora::platform::RegDword) {
        Require(AllDigits(text) && text.size() >= 3 &&
                    std::strtoull(text.c_str(), nullptr, 10) <= 0xFFFFFFFFull,
                "a DWORD reads as a 32-bit number of three digits or more");
        Require(raw == text, "a raw DWORD read is the number");
    } else if (type == velmora::platform::RegBinary) {
        Require(text.size() == 2 * bytes.size(), "binary reads as two digits a byte");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = std::strtoul(text.substr(2 * i, 2).c_str(), nullptr, 16);
            Require(byte == static_cast<unsigned char>(bytes[i]), "binary reads as its hex bytes");
        }
        Require(raw.size() == velmora::kRegBufferSize && raw.compare(0, bytes.size(), bytes) == 0 &&
                    raw.find_first_not_of(' ', bytes.size()) == std::string::npos,
                "a raw binary read is the bytes padded with blanks");
    } else {
        // Another tool may have stored the text without its zero.
        const bool ended = !bytes.empty() && bytes.back() == '\0';
        Require(text == (ended ? bytes.substr(0, bytes.size() - 1) : bytes),
                "text reads as its bytes less a terminating zero, and only that");
        Require(raw == text, "a raw text read is the text");
    }

    // A number typed by the user: written as a DWORD only when it reads as one.
    const long status =
        reg.WriteRegValue(velmora::HKCU, kNumberKey, "Number", velmora::platform::RegDword, number);
    const std::string written = reg.ReadRegValue(velmora::HKCU, kNumberKey, "Number");
    if (status == velmora::platform::RegOk)
        Require(AllDigits(written), "a number written reads back as a number");
    else
        Require(written == velmora::kNotFound, "a refused number writes nothing");
    return 0;
}
