#include "Layout.h"

#include "platform/windows/WideText.h"

namespace ui {

namespace {

SIZE textSize(HWND control, HFONT font) {
    const std::wstring text = platform::toWide(controlText(control));
    SIZE size{0, 0};
    HDC dc = GetDC(control);
    HGDIOBJ before = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return size;
}

} // namespace

Layout::~Layout() {
    if (font_ != nullptr)
        DeleteObject(font_);
}

void Layout::place(HWND control, DesignRect design, HWND relativeTo) {
    entries_.push_back({control, design, relativeTo});
    apply(entries_.back());
}

void Layout::setDpi(int dpi) {
    HFONT old = font_;
    dpi_ = dpi;
    font_ = programFont(dpi, kFontHeight);
    for (const Entry& entry : entries_)
        apply(entry);
    if (old != nullptr)
        DeleteObject(old);
}

POINT Layout::origin(HWND relativeTo) const {
    if (relativeTo == nullptr)
        return {0, 0};
    RECT area;
    GetWindowRect(relativeTo, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(relativeTo), reinterpret_cast<POINT*>(&area), 2);
    wchar_t windowClass[32];
    GetClassNameW(relativeTo, windowClass, 32);
    if (lstrcmpiW(windowClass, WC_TABCONTROLW) == 0)
        SendMessageW(relativeTo, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return {area.left, area.top};
}

void Layout::apply(const Entry& entry) const {
    if (font_ != nullptr)
        SendMessageW(entry.control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    const POINT at = origin(entry.relativeTo);
    int width = scale(entry.design.width);
    int height = scale(entry.design.height);
    if (entry.design.width == 0 && font_ != nullptr) {
        const SIZE text = textSize(entry.control, font_);
        width = text.cx;
        height = text.cy;
    }
    SetWindowPos(entry.control, nullptr, at.x + scale(entry.design.left),
                 at.y + scale(entry.design.top), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT programFont(int dpi, int designHeight) {
    // 12 pixels high at 96 dpi in the Japanese character set; the system stands in a font of
    // that set where this face is missing, and links others for missing glyphs.
    return CreateFontW(-MulDiv(designHeight, dpi, kDesignDpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
}

HWND makeControl(HWND parent, const wchar_t* windowClass, std::string_view text, DWORD style,
                 DWORD extendedStyle) {
    // Siblings overlap the tab control; each paints only its own part.
    return CreateWindowExW(extendedStyle, windowClass, platform::toWide(text).c_str(),
                           style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
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
