#pragma once
// Common dialogs answered in advance: each request takes the next queued
// answer of its kind, or the empty text (as if cancelled) when none is left.
// Every request is recorded.

#include "platform/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace velmora::platform::portable {

class ScriptedDialogs : public Dialogs {
public:
    std::string openFile(const OpenFileRequest& request) override;
    std::string browseForFolder(const std::string& title) override;

    // The next answers; the empty text stands for Cancel.
    void answerOpenFile(const std::string& path) { openFileAnswers_.push_back(path); }
    void answerBrowse(const std::string& path) { browseAnswers_.push_back(path); }

    std::vector<OpenFileRequest> openFileRequests;
    std::vector<std::string> browseTitles;

private:
    std::deque<std::string> openFileAnswers_;
    std::deque<std::string> browseAnswers_;
};

} // namespace velmora::platform::portable
