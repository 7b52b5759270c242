#pragma once
// Starting things: the shell's "open" verb and processes.

#include <cstdint>
#include <string>

namespace velmora::platform {

class Shell {
public:
    virtual ~Shell() = default;

    // ShellExecute with verb "open", no parameters; the result is not reported.
    virtual void open(const std::string& target, const std::string& workingFolder,
                      int showCommand) = 0;

    // Starts a command line without waiting for it; false when it could not
    // be started.
    virtual bool start(const std::string& commandLine, int showCommand) = 0;

    // Runs a command line and waits for it to end (showCommand 10,
    // SW_SHOWDEFAULT, leaves the window to the program); answers its exit code,
    // or -1 when it could not be started.
    virtual long runAndWait(const std::string& commandLine, int showCommand) = 0;

    // ShellExecute with verb "open", parameters, no working folder and the
    // owner window given (0 for none); the result is not reported.
    virtual void execute(const std::string& file, const std::string& parameters,
                         std::uintptr_t owner, int showCommand) = 0;
};

} // namespace velmora::platform
