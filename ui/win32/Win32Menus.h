#pragma once
// The menus of a form: the menu bar built from the form's entries, the
// drop-downs of its titles, and pop-up menus of entries not in the bar.
// Command ids are the entries' positions in the form's list.

#include "ui/model/Form.h"

#include <windows.h>

#include <map>
#include <string>

namespace velmora::ui::win32 {

class FormMenus {
public:
    explicit FormMenus(Form& form) : form_(form) {}
    ~FormMenus();

    FormMenus(const FormMenus&) = delete;
    FormMenus& operator=(const FormMenus&) = delete;

    // Brings the window's menu bar up to date: in place when only captions
    // and states changed, rebuilt otherwise (after the menu closes, if one
    // is open). Answers whether the bar appeared or went away.
    bool apply(HWND window);
    void enterLoop() { tracking_ = true; }
    void exitLoop(HWND window);

    // The entry a command id stands for, or null.
    const MenuEntry* entryOf(UINT id) const;
    // The entry whose drop-down `popup` is, or null.
    const MenuEntry* ownerOf(HMENU popup) const;
    // Shows the children of `name` at the mouse and answers the entry chosen.
    const MenuEntry* track(HWND window, const std::string& name);

private:
    std::string signature() const;
    void build(HWND window);
    void fillPopup(HMENU menu, const std::string& parent);
    void append(HMENU menu, std::size_t index);
    void update();

    Form& form_;
    HMENU bar_ = nullptr;
    std::string signature_;
    std::map<HMENU, std::size_t> popups_; // drop-down -> entry owning it
    bool tracking_ = false;
    bool pending_ = false;
};

} // namespace velmora::ui::win32
