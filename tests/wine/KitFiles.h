#pragma once
// The files the build made for the kit and pack tests (stand-ins of
// ie6setup.exe with version records, a signed and a changed pack), and
// whole-file reads and writes. Header only: the window tests use it too.

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::testing {

// A file of the build's kit folder by its Windows path (drive Z: is the root).
inline std::string kitFile(const std::string& name) {
    std::string path = std::string("Z:") + VELMORA_KIT_DIR + "/" + name;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace velmora::testing
