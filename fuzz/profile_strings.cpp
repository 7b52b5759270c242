// The language-file reader: GetLngText over the portable profile-string
// reader, on a file of arbitrary bytes; then a written entry reads back.

#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "core/Language.h"
#include "platform/portable/IniProfileStrings.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

using velmora::fuzz::Require;

// A name or value the writer stores as it stands and the reader gives back:
// on one line, no blanks around it, no zero byte, none of the characters
// that start a section or end a key.
bool PlainText(const std::string& text, bool value) {
    if (text.empty())
        return value;
    for (char c : text) {
        if (c == '\0' || c == '\r' || c == '\n' || (!value && (c == '=' || c == '[' || c == ']')))
            return false;
    }
    const char first = text.front(), last = text.back();
    if (first == ' ' || first == '\t' || last == ' ' || last == '\t')
        return false;
    // A value in a pair of quotes loses them.
    return !(value && text.size() >= 2 && (first == '"' || first == '\'') && last == first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(300);
    const std::string content = input.ConsumeRemainingBytesAsString();
    const std::string file = "C:\\Velmora\\language\\English.lng";

    velmora::fuzz::MemoryFiles files;
    files.files[file] = content;
    velmora::platform::portable::IniProfileStrings profile(files);

    const std::string text = velmora::GetLngText(profile, section, key, file);
    Require(text.size() <= 254, "a language text holds at most 254 characters");
    Require(text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
            "a text read holds no line end and no zero byte");
    Require(profile.getString(section, key, "", file, 0).empty(), "a buffer of 0 reads nothing");

    // An entry written reads back, whatever the file held, as long as the
    // reader sees the whole file (it stops at a zero byte).
    if (content.find('\0') == std::string::npos && !section.empty() && !key.empty() &&
        PlainText(section, false) && PlainText(key, false) && PlainText(value, true)) {
        Require(profile.writeString(section, key, value, file), "the write succeeds");
        Require(profile.getString(section, key, "<none>", file, 4096) == value,
                "a written entry reads back");
        Require(velmora::GetLngText(profile, section, key, file) == value.substr(0, 254),
                "GetLngText gives the written entry, cut to 254 characters");
    }
    return 0;
}
