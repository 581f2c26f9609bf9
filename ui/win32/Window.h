#pragma once

#include "Layout.h"
#include "core/Prompter.h"
#include "platform/windows/Win32.h"

#include <map>
#include <string>

namespace ui {

// A top-level window of the program: its class, its controls laid out for its DPI, coloured
// texts, and the one place where an error a handler did not catch is shown.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const { return handle_; }
    bool isVisible() const { return IsWindowVisible(handle_) != FALSE; }

protected:
    struct Frame {
        const wchar_t* windowClass;
        const char* title;
        DWORD style;
        DWORD extendedStyle;
        int clientWidth;
        int clientHeight;
        int backgroundColour; // a COLOR_ index
    };
    Window(Frame frame, core::Prompter& prompter);

    HWND add(const wchar_t* windowClass, std::string_view text, DWORD style, DesignRect place,
             HWND relativeTo = nullptr, DWORD extendedStyle = 0);
    void paintText(HWND control, COLORREF colour) { textColours_[control] = colour; }
    void centreOnPrimaryScreen();
    void showInFront();
    int scale(int designPixels) const { return layout_.scale(designPixels); }

    // Messages of the derived window; what it leaves goes to handleDefault.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleDefault(UINT message, WPARAM wParam, LPARAM lParam);

    core::Prompter& prompter_;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void setDpi(int dpi);

    Frame frame_;
    HWND handle_ = nullptr;
    Layout layout_;
    std::map<HWND, COLORREF> textColours_;
};

} // namespace ui
