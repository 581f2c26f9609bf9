#include "Window.h"

#include "core/Centring.h"
#include "platform/windows/WideText.h"

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

} // namespace

Window::Window(Frame frame, core::Prompter& prompter) : prompter_(prompter), frame_(frame) {
    registerClass(frame.windowClass, frame.backgroundColour, &Window::procedure);
    RECT outer{0, 0, frame.clientWidth, frame.clientHeight};
    AdjustWindowRectEx(&outer, frame.style, FALSE, frame.extendedStyle);
    CreateWindowExW(frame.extendedStyle, frame.windowClass, platform::toWide(frame.title).c_str(),
                    frame.style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                    outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    setDpi(static_cast<int>(GetDpiForWindow(handle_)));
}

Window::~Window() {
    if (handle_ != nullptr) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

HWND Window::add(const wchar_t* windowClass, std::string_view text, DWORD style, DesignRect place,
                 HWND relativeTo, DWORD extendedStyle) {
    HWND control = makeControl(handle_, windowClass, text, style, extendedStyle);
    layout_.place(control, place, relativeTo);
    return control;
}

void Window::setDpi(int dpi) {
    layout_.setDpi(dpi);
    RECT outer{0, 0, scale(frame_.clientWidth), scale(frame_.clientHeight)};
    AdjustWindowRectExForDpi(&outer, frame_.style, FALSE, frame_.extendedStyle,
                             static_cast<UINT>(dpi));
    SetWindowPos(handle_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::centreOnPrimaryScreen() {
    RECT outer;
    GetWindowRect(handle_, &outer);
    const core::Origin origin =
        core::centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                            outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(handle_, nullptr, origin.left, origin.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::showInFront() {
    if (IsIconic(handle_))
        ShowWindow(handle_, SW_RESTORE);
    ShowWindow(handle_, SW_SHOW);
    BringWindowToTop(handle_);
    SetForegroundWindow(handle_);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return handleDefault(message, wParam, lParam);
}

LRESULT Window::handleDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto dc = reinterpret_cast<HDC>(wParam);
        auto colour = textColours_.find(reinterpret_cast<HWND>(lParam));
        SetTextColor(dc,
                     colour != textColours_.end() ? colour->second : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(frame_.backgroundColour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(frame_.backgroundColour));
    }
    case WM_DPICHANGED: {
        setDpi(HIWORD(wParam));
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
    LRESULT result = 0;
    // An exception must not unwind through the system's frames.
    core::runGuarded(self->prompter_,
                     [&] { result = self->handleMessage(message, wParam, lParam); });
    return result;
}

} // namespace ui
