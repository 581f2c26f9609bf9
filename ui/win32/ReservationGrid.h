#pragma once

#include "Window.h"
#include "core/book/ReservationTable.h"

#include <cstdint>
#include <functional>

namespace ui {

// The reservation table in a report-style list view: the header row and the row labels come
// from the table, one whole row is selected at a time. Only the left button selects; a right
// press, the context-menu key (or Shift+F10) and a double click are reported instead.
class ReservationGrid {
public:
    struct Events {
        std::function<void()> rightPress;
        std::function<void()> menuKey;
        std::function<void()> doubleClick;
    };
    ReservationGrid(Window& owner, core::design::Rect place, const core::ReservationTable& table,
                    core::Prompter& prompter, Events events);
    ~ReservationGrid();
    ReservationGrid(const ReservationGrid&) = delete;
    ReservationGrid& operator=(const ReservationGrid&) = delete;

    HWND handle() const { return view_; }
    // Column widths for the window's DPI, each wide enough for its texts.
    void setDpi(int dpi);
    // Shows the table's texts when they changed since the last showing.
    void refresh();
    // 1 to 30, or 0 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    void setLocked(bool locked);
    // The screen point below the selected row's first cell, or the grid's corner with none.
    POINT selectedRowCorner() const;

private:
    static LRESULT CALLBACK procedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT customDraw(const NMLVCUSTOMDRAW& draw) const;
    void fitColumns();
    // The background as the system's colours and the lock make it now.
    void applyBackground();

    Window& owner_;
    HWND view_;
    const core::ReservationTable& table_;
    core::Prompter& prompter_;
    Events events_;
    std::uint64_t shownRevision_ = 0;
    bool shownOnce_ = false;
    int dpi_ = 96;
    bool locked_ = false;
};

} // namespace ui
