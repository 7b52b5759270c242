#include "reinstall/PathText.h"

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

} // namespace velmora
