#include "reinstall/TextList.h"

#include "platform/Windows1252.h"

#include <algorithm>

namespace velmora {

std::vector<std::string> SplitText(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

bool ContainsNoCase(const std::string& text, const std::string& part) {
    const auto same = [](char a, char b) {
        return platform::cp1252::toUpper(static_cast<unsigned char>(a)) ==
               platform::cp1252::toUpper(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

} // namespace velmora
