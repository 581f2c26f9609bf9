#pragma once

#include "Layout.h"
#include "core/base/Prompter.h"
#include "core/forms/Centring.h"
#include "platform/windows/Win32.h"

#include <functional>
#include <map>
#include <string>

namespace ui {

// A window of the program: its class, its controls laid out for its DPI with the notifications
// of each passed on to that control's object (Control), coloured texts, hints, and the one place
// where an error a handler did not catch is shown. The object and its window part cleanly in
// either order: the window forgets the object as it goes, and the object its window.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // Makes the window and then its controls; throws when the system cannot.
    void create(HWND parent = nullptr);
    HWND handle() const { return handle_; }
    bool isVisible() const { return IsWindowVisible(handle_) != FALSE; }
    // The controls in the program's font and places for the DPI; a top-level window also takes
    // its size for it.
    // A window larger than the work area at the DPI is laid out at a smaller one that fits.
    void setDpi(int dpi);
    // The DPI the controls are laid out at.
    int layoutDpi() const { return layout_.dpi(); }

    // Controls and how their notifications are handled, for the window and the pages on it. The
    // text, the title and the hints are the window description's, shown in the language in use.
    HWND add(const wchar_t* windowClass, std::string_view text, DWORD style,
             core::design::Rect place, HWND relativeTo = nullptr, DWORD extendedStyle = 0,
             int id = 0);
    void paintText(HWND control, COLORREF colour) { textColours_[control] = colour; }
    // `heard` runs after a control's own handler, whenever a control may have changed what it
    // holds: any command of a control, and a new selection in a list, a calendar or the tabs.
    void onControlChange(std::function<void()> heard) { controlChange_ = std::move(heard); }
    int scale(int designPixels) const { return layout_.scale(designPixels); }

protected:
    struct Frame {
        const wchar_t* windowClass;
        std::string_view title;
        DWORD style;
        DWORD extendedStyle;
        core::design::Size client; // {0, 0}: sized by its parent
        int backgroundColour;      // a COLOR_ index
    };
    Window(Frame frame, core::Prompter& prompter);

    // The work area of the monitor the window is on.
    core::Area workArea() const;
    // The controls, made once the window exists.
    virtual void build() {}
    // After the controls were laid out for a new DPI.
    virtual void dpiChanged(int /*dpi*/) {}
    // The colour and brush behind the window's texts.
    virtual COLORREF backgroundColour() const;
    virtual HBRUSH backgroundBrush() const;
    // A tooltip with the system's delays, shown over the control.
    void addHint(HWND control, std::string_view text);
    // Takes a shown hint away, before a menu opens over it.
    void hideHint() const;
    // The control that takes the keyboard focus when the window is first activated.
    void startFocusOn(HWND control) { focused_ = control; }
    // To the centre of the primary monitor, inside its work area.
    void centreOnPrimaryScreen();
    void showInFront();

    // Messages of the derived window; what it leaves goes to handleDefault.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleDefault(UINT message, WPARAM wParam, LPARAM lParam);

    core::Prompter& prompter_;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void passToChildren(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool restoreFocus();

    Frame frame_;
    HWND handle_ = nullptr;
    Layout layout_;
    std::map<HWND, COLORREF> textColours_;
    int nextId_ = 1000;
    HWND hints_ = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND focused_ = nullptr;
    std::function<void()> controlChange_;
};

} // namespace ui
