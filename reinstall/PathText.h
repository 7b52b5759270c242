#pragma once
// Paths shortened for a label of fixed width.

#include <string>

namespace velmora {

// A path longer than `limit` characters as its first two elements,
// "\ ... \" and its last one ("C:\Windows\ ... \file.dll").
std::string ShortenPath(const std::string& path, std::size_t limit);

} // namespace velmora
