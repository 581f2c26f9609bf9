#include "Layout.h"

#include "platform/windows/SystemError.h"
#include "platform/windows/WideText.h"

#include <system_error>
#include <utility>

namespace ui {

namespace {

SIZE textSize(HWND control, HFONT font) {
    const std::wstring text = platform::toWide(controlText(control));
    SIZE size{0, 0};
    WindowDc dc(control);
    SelectedObject selected(dc.get(), font);
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

POINT origin(HWND relativeTo) {
    if (relativeTo == nullptr)
        return {0, 0};
    RECT area;
    GetWindowRect(relativeTo, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(relativeTo), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top};
}

} // namespace

void Layout::place(HWND control, core::design::Rect design, HWND relativeTo) {
    entries_.push_back({control, design, relativeTo});
    apply(entries_.back());
}

void Layout::setDpi(int dpi) {
    dpi_ = dpi;
    // The controls take the new font before the old one goes.
    FontHandle old = std::exchange(font_, programFont(dpi, core::design::kFontHeight));
    for (const Entry& entry : entries_)
        apply(entry);
}

void Layout::apply(const Entry& entry) const {
    if (font_)
        SendMessageW(entry.control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    const POINT at = origin(entry.relativeTo);
    const core::design::Rect design = core::design::widened(entry.design);
    int width = scale(design.width);
    int height = scale(design.height);
    if (design.width == 0 && font_) {
        const SIZE text = textSize(entry.control, font_.get());
        width = text.cx;
        height = text.cy;
    }
    SetWindowPos(entry.control, nullptr, at.x + scale(design.left), at.y + scale(design.top), width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

FontHandle programFont(int dpi, int designHeight) {
    // The system stands in a font of the Japanese character set where this face is missing, and
    // links others for missing glyphs.
    return FontHandle(CreateFontW(-MulDiv(designHeight, dpi, kDesignDpi), 0, 0, 0, FW_NORMAL, FALSE,
                                  FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                                  platform::toWide(core::design::kFontFace).c_str()));
}

HWND makeControl(HWND parent, int id, const wchar_t* windowClass, std::string_view text,
                 DWORD style, DWORD extendedStyle) {
    HWND control = CreateWindowExW(extendedStyle, windowClass, platform::toWide(text).c_str(),
                                   style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr)
        throw std::system_error(static_cast<int>(GetLastError()), platform::windowsCategory(),
                                "CreateWindowExW");
    return control;
}

std::string controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return platform::fromWide(text);
}

void setControlText(HWND control, std::string_view text) {
    SetWindowTextW(control, platform::toWide(text).c_str());
}

} // namespace ui
