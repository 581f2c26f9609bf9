#include "ReservationGrid.h"

#include "core/forms/ColumnFit.h"
#include "core/forms/GridCells.h"
#include "platform/windows/WideText.h"
#include "toolkit/Layout.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

// Cells are drawn here with slim margins, so that the texts fit the designed column widths.
constexpr int kCellMargin = 2;

void setCell(HWND view, int row, int column, const std::string& text) {
    std::wstring wide = platform::toWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(view, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

constexpr UINT_PTR kSubclass = 1;

} // namespace

ReservationGrid::ReservationGrid(Window& owner, core::design::Rect place,
                                 const core::ReservationTable& table, core::Prompter& prompter,
                                 Events events)
    : Control(
          owner.add(WC_LISTVIEWW, "",
                    LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
                    place, nullptr, WS_EX_CLIENTEDGE)),
      view_(hwnd()), table_(table), prompter_(prompter), events_(std::move(events)) {
    SendMessageW(view_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    for (int column = 0; column < core::kColumnCount; ++column) {
        std::wstring header = platform::toWide(core::shownCell(table_, column, 0));
        LVCOLUMNW entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.pszText = header.data();
        entry.cx = core::design::widened(core::kColumnWidths[static_cast<std::size_t>(column)]);
        entry.iSubItem = column;
        SendMessageW(view_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&entry));
    }
    for (int row = core::kFirstReservation; row <= core::kLastReservation; ++row) {
        LVITEMW item{};
        item.iItem = row - 1;
        SendMessageW(view_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SetWindowSubclass(view_, &ReservationGrid::procedure, kSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    refresh();
}

ReservationGrid::~ReservationGrid() {
    // The list view may outlive this object: its procedure must not come here again.
    RemoveWindowSubclass(view_, &ReservationGrid::procedure, kSubclass);
}

LRESULT ReservationGrid::notify(const NMHDR& header) {
    if (header.code != NM_CUSTOMDRAW)
        return 0;
    return customDraw(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
}

void ReservationGrid::setDpi(int dpi) {
    dpi_ = dpi;
    fitColumns();
}

void ReservationGrid::refresh() {
    if (shownOnce_ && table_.revision() == shownRevision_)
        return;
    shownOnce_ = true;
    shownRevision_ = table_.revision();
    for (int row = core::kFirstReservation; row <= core::kLastReservation; ++row) {
        for (int column = 0; column < core::kColumnCount; ++column)
            setCell(view_, row - 1, column, core::shownCell(table_, column, row));
        // A screen reader says each row whole, as on the other system.
        readers_.nameItem(view_, row, core::rowSpeech(table_, row));
    }
    fitColumns();
}

void ReservationGrid::fitColumns() {
    // A column is as wide as designed, or wider when its texts need it (a font with wider glyphs);
    // together they stay within the view, so that no scroll bar hides a row.
    const int padding = 2 * MulDiv(kCellMargin, dpi_, kDesignDpi);
    std::vector<int> designed;
    std::vector<int> needed;
    for (int column = 0; column < core::kColumnCount; ++column) {
        designed.push_back(
            MulDiv(core::design::widened(core::kColumnWidths[static_cast<std::size_t>(column)]),
                   dpi_, kDesignDpi));
        int widest = 0;
        for (int row = 0; row <= core::kLastReservation; ++row) {
            const std::wstring text = platform::toWide(core::shownCell(table_, column, row));
            widest = std::max(
                widest, static_cast<int>(SendMessageW(view_, LVM_GETSTRINGWIDTHW, 0,
                                                      reinterpret_cast<LPARAM>(text.c_str()))));
        }
        needed.push_back(widest + padding);
    }
    RECT client{};
    GetClientRect(view_, &client);
    const std::vector<int> widths = core::fitColumnWidths(designed, needed, client.right);
    for (int column = 0; column < core::kColumnCount; ++column) {
        const int width = widths[static_cast<std::size_t>(column)];
        if (SendMessageW(view_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0) != width)
            SendMessageW(view_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
    }
}

int ReservationGrid::selectedRow() const {
    const auto index = SendMessageW(view_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return index < 0 ? 0 : static_cast<int>(index) + 1;
}

void ReservationGrid::selectRow(int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(view_, LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(view_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
}

LRESULT ReservationGrid::customDraw(const NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return CDRF_DODEFAULT;
    }
    const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT cell{};
    cell.top = draw.iSubItem;
    cell.left = draw.iSubItem == 0 ? LVIR_LABEL : LVIR_BOUNDS;
    SendMessageW(view_, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
    const bool selected =
        (SendMessageW(view_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
         LVIS_SELECTED) != 0;
    const bool focused = GetFocus() == view_;
    COLORREF background =
        locked_ ? colourRef(core::design::form1::kLockedGridColour) : GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (selected) {
        background = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        text = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    }
    HDC dc = draw.nmcd.hdc;
    // The grid lines lie on the cell's right and bottom edges.
    RECT inside{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
    SetBkColor(dc, background);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &inside, nullptr, 0, nullptr);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    inside.left += MulDiv(kCellMargin, dpi_, kDesignDpi);
    const std::wstring wide = platform::toWide(core::shownCell(table_, draw.iSubItem, row + 1));
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &inside,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    return CDRF_SKIPDEFAULT;
}

void ReservationGrid::setLocked(bool locked) {
    // Locked, it stays readable and focusable: the window refuses the changes.
    locked_ = locked;
    applyBackground();
}

void ReservationGrid::applyBackground() {
    const COLORREF background =
        locked_ ? colourRef(core::design::form1::kLockedGridColour) : GetSysColor(COLOR_WINDOW);
    SendMessageW(view_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    SendMessageW(view_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    InvalidateRect(view_, nullptr, TRUE);
}

POINT ReservationGrid::selectedRowCorner() const {
    POINT corner{0, 0};
    const int row = selectedRow();
    RECT cells{};
    cells.left = LVIR_BOUNDS;
    if (row > 0 && SendMessageW(view_, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1),
                                reinterpret_cast<LPARAM>(&cells)))
        corner = {cells.left, cells.bottom};
    ClientToScreen(view_, &corner);
    return corner;
}

LRESULT ReservationGrid::viewMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_RBUTTONDOWN:
        // The row menu acts on the row selected before: the press must not move it.
        events_.rightPress();
        return 0;
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONDOWN: {
        // A press beside the rows would leave no row selected.
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (SendMessageW(view_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) {
            SetFocus(view_);
            return 0;
        }
        break;
    }
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = DefSubclassProc(view_, message, wParam, lParam);
        events_.doubleClick();
        return result;
    }
    case WM_GETDLGCODE: {
        // Enter re-edits the row rather than going to the window.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return DefSubclassProc(view_, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            events_.doubleClick();
            return 0;
        }
        break;
    case WM_CHAR:
        // Typed text would jump to a row by its label; only navigation keys move.
        return 0;
    case WM_CONTEXTMENU:
        // From the keyboard (the menu key, Shift+F10) the position is -1, -1.
        if (lParam == -1) {
            events_.menuKey();
            return 0;
        }
        break;
    case WM_SYSCOLORCHANGE:
        applyBackground();
        break;
    default:
        break;
    }
    return DefSubclassProc(view_, message, wParam, lParam);
}

LRESULT CALLBACK ReservationGrid::procedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR self) {
    // The view's last message: the subclass goes with it, whichever of the two parts first.
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(view, &ReservationGrid::procedure, kSubclass);
        return DefSubclassProc(view, message, wParam, lParam);
    }
    auto* grid = reinterpret_cast<ReservationGrid*>(self);
    LRESULT result = 0;
    // An exception must not unwind through the system's frames.
    core::runGuarded(grid->prompter_, [&] { result = grid->viewMessage(message, wParam, lParam); });
    return result;
}

} // namespace ui
