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
// The file's text, or the empty text. A UTF-16 registry export comes back
// converted to the program's code page.
std::string ReadTextFile(platform::FileSystem& files, const std::string& path);
bool WriteTextFile(platform::FileSystem& files, const std::string& path, const std::string& text,
                   bool keepExisting);
// The bytes of a file as text: up to the first zero byte, or the whole
// buffer as UTF-16 when it starts like a registry export.
std::string BytesToText(const std::string& bytes);

} // namespace velmora
