#pragma once
// Texts made for the labels of the reinstallation windows.

#include <string>

namespace velmora {

// A path longer than `limit` characters as its first two elements,
// "\\ ... \\" and its last one ("C:\\Windows\\ ... \\file.dll").
std::string ShortenPath(const std::string& path, std::size_t limit);

// The text with its first `what` (a placeholder such as "%1") replaced.
std::string ReplaceFirst(std::string text, const std::string& what, const std::string& with);

} // namespace velmora
