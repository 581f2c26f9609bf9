#pragma once

#include "core/ReservationTable.h"
#include "platform/windows/Win32.h"

#include <cstdint>
#include <functional>

namespace ui {

// The reservation table in a report-style list view: the header row and the row labels come
// from the table, one whole row is selected at a time. Only the left button selects; a right
// press and a double click are reported to the window instead.
class ReservationGrid {
public:
    struct Events {
        std::function<void()> rightPress;
        std::function<void()> doubleClick;
    };
    ReservationGrid(HWND listView, const core::ReservationTable& table, Events events);

    HWND handle() const { return view_; }
    // Column widths for the window's DPI, each wide enough for its texts.
    void setDpi(int dpi);
    // Shows the table's texts when they changed since the last showing.
    void refresh();
    // 1 to 30, or 0 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    void setLocked(bool locked);
    // NM_CUSTOMDRAW, which the list view sends to the window.
    LRESULT customDraw(NMLVCUSTOMDRAW& draw) const;

private:
    static LRESULT CALLBACK procedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void fitColumns();

    HWND view_;
    const core::ReservationTable& table_;
    Events events_;
    std::uint64_t shownRevision_ = 0;
    bool shownOnce_ = false;
    int dpi_ = 96;
    bool locked_ = false;
};

} // namespace ui
