#include "platform/portable/RecordingShell.h"

namespace velmora::platform::portable {

void RecordingShell::open(const std::string& target, const std::string& workingFolder,
                          int showCommand) {
    opened.push_back({target, workingFolder, showCommand});
}

long RecordingShell::runAndWait(const std::string& commandLine, int showCommand) {
    commands.push_back({commandLine, showCommand});
    if (!exitCodes_.empty()) {
        const long code = exitCodes_.front();
        exitCodes_.pop_front();
        return code;
    }
    return responder_ ? responder_(commandLine) : 0;
}

bool RecordingShell::start(const std::string& commandLine, int showCommand) {
    started.push_back({commandLine, showCommand});
    return startable_;
}

void RecordingShell::execute(const std::string& file, const std::string& parameters,
                             std::uintptr_t owner, int showCommand) {
    const ShellExecution execution{file, parameters, owner, showCommand};
    if (onExecute)
        onExecute(execution);
    executed.push_back(execution);
}

} // namespace velmora::platform::portable
