#include "support/ScriptedUiHost.h"

namespace velmora::testing {

int ScriptedUiHost::msgBox(const std::string& text, int style, const std::string& title) {
    messages.push_back({text, style, title});
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    const int buttons = style & 0x0F;
    const bool secondDefault = (style & ui::MbDefaultButton2) != 0;
    if (buttons == ui::MbYesNo)
        return secondDefault ? ui::ResultNo : ui::ResultYes;
    if (buttons == ui::MbOkCancel)
        return secondDefault ? ui::ResultCancel : ui::ResultOk;
    return ui::ResultOk;
}

void ScriptedUiHost::load(ui::Form& form) {
    events.push_back("load " + form.name());
}

void ScriptedUiHost::show(ui::Form& form, bool modal) {
    form.markShown(true);
    if (!modal) {
        events.push_back("show " + form.name());
        return;
    }
    events.push_back("modal " + form.name());
    auto it = responders_.find(form.name());
    if (it != responders_.end()) {
        auto responder = it->second;
        responder(form);
    }
    // A modal window always ends hidden: the show returns only then.
    if (form.isVisible())
        form.Hide();
}

void ScriptedUiHost::hide(ui::Form& form) {
    form.markShown(false);
    events.push_back("hide " + form.name());
}

void ScriptedUiHost::unload(ui::Form& form) {
    form.markShown(false);
    events.push_back("unload " + form.name());
}

void ScriptedUiHost::setMousePointer(int pointer) {
    pointer_ = pointer;
    pointers.push_back(pointer);
}

void ScriptedUiHost::popupMenu(ui::Form& form, const std::string& menuName) {
    popups.push_back(form.name() + ":" + menuName);
}

} // namespace velmora::testing
