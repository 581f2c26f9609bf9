#pragma once

#include "platform/windows/Win32.h"
#include "toolkit/Handles.h"

#include <string_view>

namespace ui {

inline constexpr UINT kTrayCallbackMessage = WM_USER + 100; // 1124

// The program's icon in the notification area, with its tip. It answers the keyboard as well as
// the mouse: the shell sends NIN_KEYSELECT and WM_CONTEXTMENU.
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
    void setTip(std::string_view tip);
    // Where the menu opens for the keyboard: the icon's corner, else the cursor.
    POINT menuPoint() const;
    // Explorer started anew and lost every icon: the wanted one goes back.
    void taskbarCreated();
    // A balloon from the icon (a toast on Windows 10 and 11). With the icon not wanted, an icon
    // of its own carries it until balloonEnded().
    void showBalloon(std::string_view title, std::string_view text);
    // The balloon was clicked, closed or timed out, or its time is up.
    void balloonEnded();
    // How long an icon that only carries a balloon stays at most: Windows tells of a balloon's
    // end, wine does not.
    static constexpr UINT kBalloonLifeMs = 30000;

private:
    NOTIFYICONDATAW data_{};
    IconHandle icon_;
    bool wanted_ = false;
    bool added_ = false;
};

} // namespace ui
