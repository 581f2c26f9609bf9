#pragma once

#include "Handles.h"
#include "platform/windows/Win32.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// A pop-up menu whose items carry their handlers: the item picked runs once the menu has closed.
class PopupMenu {
public:
    PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Captions are the window description's, shown in the language in use.
    void add(std::string_view caption, std::function<void()> handler);
    // An item at this place in the menu that shows only while setShown() says so; its id.
    UINT addHidden(std::string_view caption, std::function<void()> handler);
    void setShown(UINT id, bool shown);
    // A submenu of this menu, which goes with it.
    PopupMenu& addSubmenu(std::string_view caption);
    // Opens the menu at a screen point for the window, with TrackPopupMenu's alignment and button
    // flags.
    void track(HWND owner, POINT at, UINT flags);
    HMENU handle() const { return menu_; }

private:
    explicit PopupMenu(PopupMenu* top);
    UINT nextId();

    HMENU menu_;
    // Only the top menu owns the menu handle and the items' handlers.
    MenuHandle owned_;
    PopupMenu* top_;
    std::vector<std::function<void()>> handlers_;
    std::vector<std::unique_ptr<PopupMenu>> submenus_;
    struct HiddenItem {
        std::wstring caption;
        UINT position;
    };
    std::map<UINT, HiddenItem> hidden_;
};

} // namespace ui
