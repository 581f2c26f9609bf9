#include "TrayIcon.h"

namespace ui {

TrayIcon::TrayIcon(HWND window) {
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                          IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon_;
    // The rest of the tip stays zero.
    lstrcpynW(data_.szTip, L"Brindlewhistmoore", ARRAYSIZE(data_.szTip));
}

TrayIcon::~TrayIcon() {
    remove();
    if (icon_ != nullptr)
        DestroyIcon(icon_);
}

bool TrayIcon::add() {
    wanted_ = true;
    added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    return added_;
}

void TrayIcon::remove() {
    wanted_ = false;
    if (added_)
        Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

void TrayIcon::taskbarCreated() {
    if (wanted_)
        add();
}

} // namespace ui
