#pragma once
// The files the build made for the kit and pack tests (stand-ins of
// ie6setup.exe with version records, a signed and a changed pack), and
// whole-file reads and writes. Header only: the window tests use it too.

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::testing {

// A host path as Windows sees it: drive Z: is the host's root.
inline std::string onDriveZ(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

// A file of the build's kit folder.
inline std::string kitFile(const std::string& name) {
    return onDriveZ(std::string(VELMORA_KIT_DIR) + "/" + name);
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
