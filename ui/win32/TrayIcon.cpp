#include "TrayIcon.h"

#include "core/forms/FormDesign.h"
#include "platform/windows/WideText.h"

namespace ui {

TrayIcon::TrayIcon(HWND window) {
    // The notification area's own size for the system's DPI, drawn from the nearest image.
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), LIM_SMALL, &icon)))
        icon_.reset(icon);
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon_.get();
    // The rest of the tip stays zero.
    lstrcpynW(data_.szTip, platform::toWide(core::design::kProductName).c_str(),
              ARRAYSIZE(data_.szTip));
}

TrayIcon::~TrayIcon() {
    remove();
}

bool TrayIcon::add() {
    wanted_ = true;
    added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    if (added_) {
        NOTIFYICONDATAW version = data_;
        version.uVersion = NOTIFYICON_VERSION;
        Shell_NotifyIconW(NIM_SETVERSION, &version);
    }
    return added_;
}

void TrayIcon::setTip(std::string_view tip) {
    lstrcpynW(data_.szTip, platform::toWide(tip).c_str(), ARRAYSIZE(data_.szTip));
    if (added_)
        Shell_NotifyIconW(NIM_MODIFY, &data_);
}

POINT TrayIcon::menuPoint() const {
    NOTIFYICONIDENTIFIER icon{sizeof icon, data_.hWnd, data_.uID, {}};
    RECT place;
    POINT at{};
    if (SUCCEEDED(Shell_NotifyIconGetRect(&icon, &place)))
        at = {place.left, place.top};
    else
        GetCursorPos(&at);
    return at;
}

void TrayIcon::remove() {
    wanted_ = false;
    if (added_)
        Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

void TrayIcon::showBalloon(std::string_view title, std::string_view text) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    lstrcpynW(balloon.szInfoTitle, platform::toWide(title).c_str(), ARRAYSIZE(balloon.szInfoTitle));
    lstrcpynW(balloon.szInfo, platform::toWide(text).c_str(), ARRAYSIZE(balloon.szInfo));
    if (added_) {
        Shell_NotifyIconW(NIM_MODIFY, &balloon);
        return;
    }
    balloon.uFlags |= data_.uFlags;
    added_ = Shell_NotifyIconW(NIM_ADD, &balloon) != FALSE;
}

void TrayIcon::balloonEnded() {
    if (!wanted_)
        remove();
}

void TrayIcon::taskbarCreated() {
    if (wanted_)
        add();
}

} // namespace ui
