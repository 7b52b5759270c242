#include "ui/win32/Win32Menus.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace velmora::ui::win32 {

namespace {

constexpr UINT kMenuBase = 0x8000;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isChildOf(const MenuEntry& entry, const std::string& parent) {
    return lower(entry.parent) == lower(parent);
}

} // namespace

FormMenus::~FormMenus() {
    // The bar belongs to the window it is set on and goes with it.
}

std::string FormMenus::signature() const {
    std::string result;
    for (const MenuEntry& entry : form_.menus()) {
        if (!entry.visible)
            continue;
        result += lower(entry.name) + '\x01' + lower(entry.parent) + '\x01' +
                  (entry.separator ? 's' : '-') + (entry.popupOnly ? 'p' : '-') + '\x02';
    }
    return result;
}

void FormMenus::append(HMENU menu, std::size_t index) {
    const MenuEntry& entry = form_.menus()[index];
    if (entry.separator) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const UINT flags = (entry.checked ? MF_CHECKED : 0) | (entry.enabled ? 0 : MF_GRAYED);
    const bool hasChildren =
        std::any_of(form_.menus().begin(), form_.menus().end(),
                    [&](const MenuEntry& e) { return e.visible && isChildOf(e, entry.name); });
    if (hasChildren) {
        HMENU popup = CreatePopupMenu();
        fillPopup(popup, entry.name);
        popups_[popup] = index;
        AppendMenuA(menu, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(popup),
                    entry.caption.c_str());
    } else {
        AppendMenuA(menu, MF_STRING | flags, kMenuBase + index, entry.caption.c_str());
    }
}

void FormMenus::fillPopup(HMENU menu, const std::string& parent) {
    const auto& entries = form_.menus();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].visible && isChildOf(entries[i], parent))
            append(menu, i);
}

void FormMenus::build(HWND window) {
    popups_.clear();
    HMENU bar = CreateMenu();
    const auto& entries = form_.menus();
    int count = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].visible && entries[i].parent.empty() && !entries[i].popupOnly) {
            append(bar, i);
            ++count;
        }
    }
    if (count == 0) {
        DestroyMenu(bar);
        bar = nullptr;
    }
    HMENU old = GetMenu(window);
    SetMenu(window, bar);
    if (old)
        DestroyMenu(old);
    bar_ = bar;
    signature_ = signature();
    pending_ = false;
}

// Captions, ticks and greying of the entries already on show.
void FormMenus::update() {
    const auto& entries = form_.menus();
    auto refresh = [&](HMENU menu, auto& self) -> void {
        const int count = GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
            if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) ||
                (info.fType & MFT_SEPARATOR))
                continue;
            std::size_t index = 0;
            if (info.hSubMenu) {
                auto found = popups_.find(info.hSubMenu);
                if (found == popups_.end())
                    continue;
                index = found->second;
                self(info.hSubMenu, self);
            } else if (info.wID >= kMenuBase && info.wID - kMenuBase < entries.size()) {
                index = info.wID - kMenuBase;
            } else {
                continue;
            }
            const MenuEntry& entry = entries[index];
            MENUITEMINFOA change{};
            change.cbSize = sizeof(change);
            change.fMask = MIIM_STATE | MIIM_STRING;
            change.fState = (entry.checked ? MFS_CHECKED : 0) | (entry.enabled ? 0 : MFS_GRAYED);
            change.dwTypeData = const_cast<char*>(entry.caption.c_str());
            SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &change);
        }
    };
    if (bar_)
        refresh(bar_, refresh);
}

bool FormMenus::apply(HWND window) {
    const bool hadBar = bar_ != nullptr;
    if (bar_ && signature() == signature_) {
        update();
        DrawMenuBar(window);
    } else if (tracking_) {
        update();
        pending_ = true;
    } else {
        build(window);
    }
    return hadBar != (bar_ != nullptr);
}

void FormMenus::exitLoop(HWND window) {
    tracking_ = false;
    if (pending_)
        build(window);
}

const MenuEntry* FormMenus::entryOf(UINT id) const {
    if (id < kMenuBase || id - kMenuBase >= form_.menus().size())
        return nullptr;
    return &form_.menus()[id - kMenuBase];
}

const MenuEntry* FormMenus::ownerOf(HMENU popup) const {
    auto found = popups_.find(popup);
    if (found == popups_.end() || found->second >= form_.menus().size())
        return nullptr;
    return &form_.menus()[found->second];
}

const MenuEntry* FormMenus::track(HWND window, const std::string& name) {
    HMENU popup = CreatePopupMenu();
    const auto before = popups_;
    fillPopup(popup, name);
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(window);
    tracking_ = true;
    const UINT id = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(popup);
    popups_ = before;
    exitLoop(window);
    return entryOf(id);
}

} // namespace velmora::ui::win32
