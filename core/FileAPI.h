#pragma once
// File and folder helpers. None shows a message; failures give an empty
// text or false.

#include "platform/FileSystem.h"

#include <string>

namespace velmora {

// Special folder numbers used by the program.
namespace csidl {
inline constexpr int SendTo = 9;
inline constexpr int Windows = 36;
inline constexpr int System = 37;
inline constexpr int ProgramFiles = 38;
inline constexpr int ProgramFilesCommon = 43;
} // namespace csidl

bool FileExists(platform::FileSystem& files, const std::string& path);
std::string GetTempFolder(platform::FileSystem& files);
std::string GetSpecialFolderPath(platform::FileSystem& files, int folderNumber);
std::string ExpEnvStr(platform::FileSystem& files, const std::string& text);
// The file's text, or the empty text when it is missing or cannot be read.
// The file is opened for reading only and shares reads and writes, so
// read-only files and files another program has open are read too.
std::string ReadTextFile(platform::FileSystem& files, const std::string& path);
// Writes text as the file's whole content (created or truncated, flushed).
// With keepExisting, an ordinary file of that name is left alone: false.
bool WriteTextFile(platform::FileSystem& files, const std::string& path, const std::string& text,
                   bool keepExisting);
// The bytes of a file as text: up to the first zero byte. When the bytes
// before that zero are FF FE 57 (a UTF-16 registry export: byte order mark,
// then "W"), the whole buffer, with the zero byte that ends it, is read as
// UTF-16LE instead, and each character becomes its Windows-1252 byte, '?'
// where there is none. The byte order mark has no such byte, so the text
// then starts with '?'.
std::string BytesToText(const std::string& bytes);

} // namespace velmora
