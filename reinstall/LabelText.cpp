#include "reinstall/LabelText.h"

namespace velmora {

std::string ShortenPath(const std::string& path, std::size_t limit) {
    if (path.size() <= limit)
        return path;
    const std::size_t first = path.find('\\');
    const std::size_t second = first == std::string::npos ? first : path.find('\\', first + 1);
    const std::size_t last = path.rfind('\\');
    if (second == std::string::npos || last <= second)
        return path;
    return path.substr(0, second) + "\\ ... \\" + path.substr(last + 1);
}

std::string ReplaceFirst(std::string text, const std::string& what, const std::string& with) {
    const std::size_t at = text.find(what);
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}

} // namespace velmora
