#pragma once

#include "core/book/ReservationTable.h"
#include "toolkit/Control.h"
#include "toolkit/ReaderAnnotations.h"
#include "toolkit/Window.h"

#include <cstdint>
#include <functional>

namespace ui {

// The reservation table in a report-style list view: the header row and the row labels come
// from the table, one whole row is selected at a time. Only the left button selects; a right
// press, the context-menu key (or Shift+F10) and a double click are reported instead.
class ReservationGrid : public Control {
public:
    struct Events {
        std::function<void()> rightPress;
        std::function<void()> menuKey;
        std::function<void()> doubleClick;
    };
    ReservationGrid(Window& owner, core::design::Rect place, const core::ReservationTable& table,
                    core::Prompter& prompter, Events events);
    ~ReservationGrid() override;

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
    // The list view's custom drawing.
    LRESULT notify(const NMHDR& header) override;

private:
    static LRESULT CALLBACK procedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    // What the list view receives, before it does.
    LRESULT viewMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT customDraw(const NMLVCUSTOMDRAW& draw) const;
    void fitColumns();
    // The background as the system's colours and the lock make it now.
    void applyBackground();

    HWND view_;
    const core::ReservationTable& table_;
    core::Prompter& prompter_;
    Events events_;
    std::uint64_t shownRevision_ = 0;
    ReaderAnnotations readers_;
    bool shownOnce_ = false;
    int dpi_ = 96;
    bool locked_ = false;
};

} // namespace ui
