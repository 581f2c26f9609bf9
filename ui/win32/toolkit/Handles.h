#pragma once

#include "platform/windows/Win32.h"

#include <memory>
#include <type_traits>

// Owning types for the system objects the windows make, so that each has exactly one owner and
// goes with it.
namespace ui {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

template <typename Handle, typename Deleter>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using FontHandle = Owned<HFONT, GdiObjectDeleter>;
using BrushHandle = Owned<HBRUSH, GdiObjectDeleter>;
using BitmapHandle = Owned<HBITMAP, GdiObjectDeleter>;
using IconHandle = Owned<HICON, IconDeleter>;
using MenuHandle = Owned<HMENU, MenuDeleter>;
using MemoryDc = Owned<HDC, MemoryDcDeleter>;

// A window's device context, released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a scope; the one before comes back after it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace ui
