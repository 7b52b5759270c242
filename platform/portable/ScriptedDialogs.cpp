#include "platform/portable/ScriptedDialogs.h"

namespace velmora::platform::portable {

namespace {

std::string takeNext(std::deque<std::string>& answers) {
    if (answers.empty())
        return {};
    std::string answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

std::string ScriptedDialogs::openFile(const OpenFileRequest& request) {
    openFileRequests.push_back(request);
    return takeNext(openFileAnswers_);
}

std::string ScriptedDialogs::browseForFolder(const std::string& title) {
    browseTitles.push_back(title);
    return takeNext(browseAnswers_);
}

} // namespace velmora::platform::portable
