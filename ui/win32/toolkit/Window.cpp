#include "Window.h"

#include "Control.h"
#include "core/lang/Catalogue.h"
#include "platform/windows/SystemError.h"
#include "platform/windows/WideText.h"

#include <system_error>
#include <utility>

namespace ui {

namespace {

constexpr int kMainIcon = 1;

void registerClass(const wchar_t* name, int backgroundColour, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (GetClassInfoExW(instance, name, &known))
        return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainIcon));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(backgroundColour);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

[[noreturn]] void failed(const char* call) {
    throw std::system_error(static_cast<int>(GetLastError()), platform::windowsCategory(), call);
}

} // namespace

Window::Window(Frame frame, core::Prompter& prompter) : prompter_(prompter), frame_(frame) {
    frame_.client = core::design::widened(frame.client);
}

Window::~Window() {
    if (handle_ != nullptr) {
        // What the window receives while it goes must not reach this half-destroyed object.
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void Window::create(HWND parent) {
    registerClass(frame_.windowClass, frame_.backgroundColour, &Window::procedure);
    RECT outer{0, 0, frame_.client.width, frame_.client.height};
    AdjustWindowRectEx(&outer, frame_.style, FALSE, frame_.extendedStyle);
    if (CreateWindowExW(frame_.extendedStyle, frame_.windowClass,
                        platform::toWide(core::tr(frame_.title)).c_str(), frame_.style,
                        CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                        outer.bottom - outer.top, parent, nullptr, GetModuleHandleW(nullptr),
                        this) == nullptr)
        failed("CreateWindowExW");
    setDpi(static_cast<int>(GetDpiForWindow(handle_)));
    build();
}

HWND Window::add(const wchar_t* windowClass, std::string_view text, DWORD style,
                 core::design::Rect place, HWND relativeTo, DWORD extendedStyle, int id) {
    HWND control = makeControl(handle_, id != 0 ? id : nextId_++, windowClass, core::tr(text),
                               style, extendedStyle);
    layout_.place(control, place, relativeTo);
    return control;
}

void Window::addHint(HWND control, std::string_view text) {
    if (hints_ == nullptr) {
        hints_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (hints_ == nullptr)
            failed("CreateWindowExW");
        SendMessageW(hints_, WM_SETFONT, reinterpret_cast<WPARAM>(layout_.font()), FALSE);
    }
    std::wstring wide = platform::toWide(core::tr(text));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Window::hideHint() const {
    if (hints_ != nullptr)
        SendMessageW(hints_, TTM_POP, 0, 0);
}

void Window::setDpi(int dpi) {
    // The frame is drawn at the monitor's DPI whatever the layout's.
    const auto outerAt = [this, dpi](int layoutDpi) {
        RECT outer{0, 0, MulDiv(frame_.client.width, layoutDpi, kDesignDpi),
                   MulDiv(frame_.client.height, layoutDpi, kDesignDpi)};
        AdjustWindowRectExForDpi(&outer, frame_.style, FALSE, frame_.extendedStyle,
                                 static_cast<UINT>(dpi));
        return std::pair{outer.right - outer.left, outer.bottom - outer.top};
    };
    const bool topLevel = frame_.client.width != 0;
    layout_.setDpi(topLevel ? core::fittingDpi(dpi, kDesignDpi, workArea(), outerAt) : dpi);
    if (hints_ != nullptr)
        SendMessageW(hints_, WM_SETFONT, reinterpret_cast<WPARAM>(layout_.font()), FALSE);
    if (topLevel) {
        const auto [width, height] = outerAt(layout_.dpi());
        SetWindowPos(handle_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

core::Area Window::workArea() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(handle_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right - monitor.rcWork.left,
            monitor.rcWork.bottom - monitor.rcWork.top};
}

void Window::centreOnPrimaryScreen() {
    RECT outer;
    GetWindowRect(handle_, &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor))
        monitor.rcWork = monitor.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN),
                                              GetSystemMetrics(SM_CYSCREEN)};
    const auto area = [](const RECT& r) {
        return core::Area{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    const core::Origin origin =
        core::placedOrigin(area(monitor.rcMonitor), area(monitor.rcWork), outer.right - outer.left,
                           outer.bottom - outer.top);
    SetWindowPos(handle_, nullptr, origin.left, origin.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::showInFront() {
    if (IsIconic(handle_))
        ShowWindow(handle_, SW_RESTORE);
    ShowWindow(handle_, SW_SHOW);
    // The system gives the foreground only to the thread that has the input: joined to it for
    // the moment, this window takes the keyboard whatever program the user works in.
    const DWORD ours = GetCurrentThreadId();
    const HWND foreground = GetForegroundWindow();
    const DWORD theirs =
        foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : ours;
    const bool joined = theirs != ours && AttachThreadInput(ours, theirs, TRUE) != FALSE;
    BringWindowToTop(handle_);
    SetForegroundWindow(handle_);
    SetActiveWindow(handle_);
    if (joined)
        AttachThreadInput(ours, theirs, FALSE);
}

COLORREF Window::backgroundColour() const {
    return GetSysColor(frame_.backgroundColour);
}

HBRUSH Window::backgroundBrush() const {
    return GetSysColorBrush(frame_.backgroundColour);
}

void Window::passToChildren(UINT message, WPARAM wParam, LPARAM lParam) const {
    for (HWND child = GetWindow(handle_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, message, wParam, lParam);
}

bool Window::restoreFocus() {
    if (focused_ == nullptr || !IsWindow(focused_) || !IsChild(handle_, focused_) ||
        !IsWindowVisible(focused_) || !IsWindowEnabled(focused_))
        return false;
    SetFocus(focused_);
    return true;
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return handleDefault(message, wParam, lParam);
}

LRESULT Window::handleDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (Control* control = Control::of(reinterpret_cast<HWND>(lParam)))
            control->command(HIWORD(wParam));
        if (lParam != 0 && controlChange_)
            controlChange_();
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        Control* control = Control::of(header.hwndFrom);
        const LRESULT result = control != nullptr ? control->notify(header) : 0;
        if ((header.code == LVN_ITEMCHANGED || header.code == MCN_SELCHANGE ||
             header.code == TCN_SELCHANGE) &&
            controlChange_)
            controlChange_();
        return result;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto dc = reinterpret_cast<HDC>(wParam);
        auto colour = textColours_.find(reinterpret_cast<HWND>(lParam));
        SetTextColor(dc,
                     colour != textColours_.end() ? colour->second : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, backgroundColour());
        return reinterpret_cast<LRESULT>(backgroundBrush());
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(handle_, focus))
                focused_ = focus;
        } else if (restoreFocus()) {
            return 0;
        }
        return DefWindowProcW(handle_, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        // The common controls learn of these only from their parent.
        passToChildren(message, wParam, lParam);
        InvalidateRect(handle_, nullptr, TRUE);
        return DefWindowProcW(handle_, message, wParam, lParam);
    case WM_DPICHANGED: {
        setDpi(HIWORD(wParam));
        dpiChanged(layout_.dpi());
        // The suggested place; the size is the layout's for the new DPI.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(handle_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        return DefWindowProcW(handle_, message, wParam, lParam);
    }
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window's last message: from here on it and the object know nothing of each other.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    // An exception must not unwind through the system's frames.
    core::runGuarded(self->prompter_,
                     [&] { result = self->handleMessage(message, wParam, lParam); });
    return result;
}

} // namespace ui
