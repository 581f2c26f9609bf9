#include "PopupMenu.h"

#include "core/lang/Catalogue.h"
#include "platform/windows/WideText.h"

namespace ui {

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()), owned_(menu_), top_(this) {}

PopupMenu::PopupMenu(PopupMenu* top) : menu_(CreatePopupMenu()), top_(top) {}

UINT PopupMenu::nextId() {
    // 0 is what TrackPopupMenu returns for no item.
    return static_cast<UINT>(top_->handlers_.size());
}

void PopupMenu::add(std::string_view caption, std::function<void()> handler) {
    top_->handlers_.push_back(std::move(handler));
    AppendMenuW(menu_, MF_STRING, nextId(), platform::toWide(core::tr(caption)).c_str());
}

UINT PopupMenu::addHidden(std::string_view caption, std::function<void()> handler) {
    top_->handlers_.push_back(std::move(handler));
    const UINT id = nextId();
    hidden_[id] = {platform::toWide(core::tr(caption)), static_cast<UINT>(GetMenuItemCount(menu_))};
    return id;
}

void PopupMenu::setShown(UINT id, bool shown) {
    const auto item = hidden_.find(id);
    if (item == hidden_.end())
        return;
    const bool present = GetMenuState(menu_, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
    if (shown && !present)
        InsertMenuW(menu_, item->second.position, MF_BYPOSITION | MF_STRING, id,
                    item->second.caption.c_str());
    else if (!shown && present)
        DeleteMenu(menu_, id, MF_BYCOMMAND);
}

PopupMenu& PopupMenu::addSubmenu(std::string_view caption) {
    submenus_.push_back(std::unique_ptr<PopupMenu>(new PopupMenu(top_)));
    PopupMenu& submenu = *submenus_.back();
    // Attached, the submenu's handle goes with this menu's.
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.menu_),
                platform::toWide(core::tr(caption)).c_str());
    return submenu;
}

void PopupMenu::track(HWND owner, POINT at, UINT flags) {
    const auto picked = static_cast<std::size_t>(
        TrackPopupMenu(menu_, flags | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    if (picked >= 1 && picked <= top_->handlers_.size())
        top_->handlers_[picked - 1]();
}

} // namespace ui
