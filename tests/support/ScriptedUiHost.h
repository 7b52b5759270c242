#pragma once
// The UI host of native tests: message boxes are answered from a queue set
// up in advance, modal windows by a responder per form, and everything
// shown is recorded for the test to check.

#include "ui/model/Form.h"
#include "ui/model/UiHost.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

struct ShownMessage {
    std::string text;
    int style = 0;
    std::string title;
};

class ScriptedUiHost : public ui::UiHost {
public:
    // Answers for the next message boxes, in order. Without one, a box is
    // answered with its default button (OK, or No for style 308).
    void answerNext(int result) { answers_.push_back(result); }
    // What to do when a form is shown modally: act on it, then close it.
    void onModal(const std::string& formName, std::function<void(ui::Form&)> responder) {
        responders_[formName] = std::move(responder);
    }

    int msgBox(const std::string& text, int style, const std::string& title) override {
        messages.push_back({text, style, title});
        if (!answers_.empty()) {
            const int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        const bool second = (style & ui::MbDefaultButton2) != 0;
        if ((style & 0x0F) == ui::MbYesNo)
            return second ? ui::ResultNo : ui::ResultYes;
        return (style & 0x0F) == ui::MbOkCancel && second ? ui::ResultCancel : ui::ResultOk;
    }
    void load(ui::Form& form) override { events.push_back("load " + form.name()); }
    void show(ui::Form& form, bool modal) override {
        form.markShown(true);
        events.push_back((modal ? "modal " : "show ") + form.name());
        if (!modal)
            return;
        if (auto it = responders_.find(form.name()); it != responders_.end())
            std::function<void(ui::Form&)>(it->second)(form);
        if (form.isVisible()) // a modal window always ends hidden: the show returns only then
            form.Hide();
    }
    void hide(ui::Form& form) override {
        form.markShown(false);
        events.push_back("hide " + form.name());
    }
    void unload(ui::Form& form) override {
        form.markShown(false);
        events.push_back("unload " + form.name());
    }
    void setMousePointer(int pointer) override { pointers.push_back(pointer_ = pointer); }
    int mousePointer() const override { return pointer_; }
    void doEvents() override {
        ++doEventsCalls;
        if (onDoEvents)
            onDoEvents();
    }
    // Answers for the next input boxes, in order; without one a box is cancelled.
    void answerInput(ui::InputAnswer answer) { inputAnswers_.push_back(std::move(answer)); }
    ui::InputAnswer inputBox(const std::string& prompt, const std::string& title) override {
        inputBoxes.push_back({prompt, 0, title});
        if (inputAnswers_.empty())
            return {};
        ui::InputAnswer answer = inputAnswers_.front();
        inputAnswers_.pop_front();
        return answer;
    }
    void popupMenu(ui::Form&, const std::string&) override {}
    // A loaded form's stand-in handle: its address.
    std::uintptr_t windowHandle(const ui::Form& form) const override {
        return form.isLoaded() ? reinterpret_cast<std::uintptr_t>(&form) : 0;
    }

    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> inputBoxes; // prompt and title of each input box
    // "load frmX", "show frmX", "modal frmX", "hide frmX", "unload frmX"
    std::vector<std::string> events;
    std::vector<int> pointers; // every pointer change, in order
    int doEventsCalls = 0;
    // What the user does while a long command lets the window breathe.
    std::function<void()> onDoEvents;

private:
    std::deque<int> answers_;
    std::deque<ui::InputAnswer> inputAnswers_;
    std::map<std::string, std::function<void(ui::Form&)>> responders_;
    int pointer_ = ui::PointerDefault;
};

} // namespace velmora::testing
