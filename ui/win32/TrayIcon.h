#pragma once

#include "Handles.h"
#include "platform/windows/Win32.h"

namespace ui {

inline constexpr UINT kTrayCallbackMessage = WM_USER + 100; // 1124

// The program's icon in the notification area, with the product name as its tip.
class TrayIcon {
public:
    explicit TrayIcon(HWND window);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // True when the notification area took the icon.
    bool add();
    // Removing an icon that is not there does nothing.
    void remove();
    bool wanted() const { return wanted_; }
    bool added() const { return added_; }
    // Explorer started anew and lost every icon: the wanted one goes back.
    void taskbarCreated();

private:
    NOTIFYICONDATAW data_{};
    IconHandle icon_;
    bool wanted_ = false;
    bool added_ = false;
};

} // namespace ui
