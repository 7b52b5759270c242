#pragma once
// A shell that starts nothing: it records what the program asked for and
// answers commands with exit codes set up in advance.

#include "platform/Shell.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace velmora::platform::portable {

struct ShellOpen {
    std::string target;
    std::string workingFolder;
    int showCommand = 0;
};

struct ShellCommand {
    std::string commandLine;
    int showCommand = 0;
};

struct ShellExecution {
    std::string file;
    std::string parameters;
    std::uintptr_t owner = 0;
    int showCommand = 0;
};

class RecordingShell : public Shell {
public:
    void open(const std::string& target, const std::string& workingFolder,
              int showCommand) override;
    // Answers the next queued exit code; when none is queued, what the
    // responder answers (it may also act as the command would), else 0.
    long runAndWait(const std::string& commandLine, int showCommand) override;
    // Recorded in `started`; answers what setStartable says (true at first).
    bool start(const std::string& commandLine, int showCommand) override;
    void setStartable(bool startable) { startable_ = startable; }

    void queueExitCode(long code) { exitCodes_.push_back(code); }
    void onCommand(std::function<long(const std::string& commandLine)> responder) {
        responder_ = std::move(responder);
    }

    std::vector<ShellOpen> opened;
    std::vector<ShellCommand> commands;
    std::vector<ShellCommand> started;

    // Recorded in `executed`, after the hook (if any) has seen it.
    void execute(const std::string& file, const std::string& parameters, std::uintptr_t owner,
                 int showCommand) override;
    std::vector<ShellExecution> executed;
    std::function<void(const ShellExecution&)> onExecute;

private:
    std::deque<long> exitCodes_;
    std::function<long(const std::string&)> responder_;
    bool startable_ = true;
};

} // namespace velmora::platform::portable
