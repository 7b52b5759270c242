#pragma once
// The shell's "open" verb and processes run to their end.

#include "platform/Shell.h"

namespace velmora::platform::win32 {

class Win32Shell : public Shell {
public:
    void open(const std::string& target, const std::string& workingFolder,
              int showCommand) override;
    long runAndWait(const std::string& commandLine, int showCommand) override;
    bool start(const std::string& commandLine, int showCommand) override;
    void execute(const std::string& file, const std::string& parameters, std::uintptr_t owner,
                 int showCommand) override;
};

} // namespace velmora::platform::win32
