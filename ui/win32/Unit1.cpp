#include "Unit1.h"

#include "Unit2.h"
#include "Unit3.h"
#include "core/Vocabulary.h"
#include "platform/windows/WideText.h"

#include <cstdio>
#include <stdexcept>

namespace ui {

namespace {

constexpr COLORREF kTeal = RGB(0x00, 0x80, 0x80);
// A drop-down's height includes its open list.
constexpr int kDropDownHeight = 200;
constexpr int kArrowsWidth = 13;

enum MenuItem : UINT { N1 = 101, Exit1, N4, N5, N2, Delete1, N6, N7 };

std::vector<std::string> numberedItems(int count, const char* suffix) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d", i);
        items.push_back(text + std::string(suffix));
    }
    return items;
}

template <std::size_t N>
std::vector<std::string> toItems(const std::array<std::string_view, N>& texts) {
    return {texts.begin(), texts.end()};
}

void appendItem(HMENU menu, UINT id, const wchar_t* caption) {
    AppendMenuW(menu, MF_STRING, id, caption);
}

} // namespace

TForm1::TForm1(Form1Services services)
    : Window({L"TForm1", "Brindlewhistmoore", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 443, 374,
              COLOR_BTNFACE},
             services.prompter),
      services_(std::move(services)), model_(services_, table_, *this),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    buildWindow();
    applyDpi(static_cast<int>(GetDpiForWindow(handle())));
    centreOnPrimaryScreen();
    built_ = true;
    model_.FormCreate();
    StringGrid1->refresh();
    SetTimer(handle(), kTimer1, core::kScanIntervalMs, nullptr);
}

TForm1::~TForm1() {
    if (calendarFont_ != nullptr)
        DeleteObject(calendarFont_);
}

void TForm1::buildWindow() {
    MonthCalendar1 = add(MONTHCAL_CLASSW, "", WS_TABSTOP | MCS_NOTODAY | MCS_SHORTDAYSOFWEEK,
                         {16, 20, 162, 149});
    PageControl1 = add(WC_TABCONTROLW, "", WS_TABSTOP, {200, 10, 225, 95});
    for (const wchar_t* caption : {L"定刻予約", L"経過予約", L"CPU使用率"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption);
        SendMessageW(PageControl1, TCM_INSERTITEMW,
                     static_cast<WPARAM>(SendMessageW(PageControl1, TCM_GETITEMCOUNT, 0, 0)),
                     reinterpret_cast<LPARAM>(&item));
    }
    pane_ = std::make_unique<TabPane>(PageControl1);
    buildTimeSheet();
    buildElapsedSheet();
    buildCpuSheet();
    // Below the sheets' controls, which would otherwise lie under it.
    SetWindowPos(PageControl1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    addLabel("現在の時刻", 208, 124);
    Label2 = add(L"STATIC", "", SS_LEFT, {287, 124, 53, 14});
    std::vector<std::string> actions;
    for (const auto& action : core::kActions)
        actions.emplace_back(action.label);
    ComboBox5 = addSelector({340, 120, 77, kDropDownHeight}, actions);
    // No tab stop, but a click takes the focus, so a spin field being typed in is corrected.
    Button2 = add(L"BUTTON", "予約する", BS_PUSHBUTTON, {208, 152, 81, 33});
    Button4 = add(L"BUTTON", "トレイに格納", BS_PUSHBUTTON | WS_TABSTOP, {336, 152, 81, 33});
    HWND grid = add(WC_LISTVIEWW, "",
                    LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
                    {24, 200, 394, 121}, nullptr, WS_EX_CLIENTEDGE);
    StringGrid1 = std::make_unique<ReservationGrid>(
        grid, table_,
        ReservationGrid::Events{[this] { StringGrid1MouseDown(1); },
                                [this] { StringGrid1DblClick(); }});
    Button3 = add(L"BUTTON", "設定", BS_PUSHBUTTON, {189, 336, 65, 25});
    buildMenus();
    TrayIcon1 = std::make_unique<TrayIcon>(handle());
    showSheet(0);
}

void TForm1::applyDpi(int dpi) {
    StringGrid1->setDpi(dpi);
    // A calendar whose day names and month title need more room than its place (a system in
    // another language) gets a smaller font rather than being cut off at its right edge.
    RECT place;
    GetClientRect(MonthCalendar1, &place);
    for (int height = kFontHeight; height >= 8; --height) {
        HFONT font = programFont(dpi, height);
        SendMessageW(MonthCalendar1, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (calendarFont_ != nullptr)
            DeleteObject(calendarFont_);
        calendarFont_ = font;
        RECT need{};
        SendMessageW(MonthCalendar1, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
        if (need.right - need.left <= place.right && need.bottom - need.top <= place.bottom)
            break;
    }
}

void TForm1::buildTimeSheet() {
    ComboBox1 = addSelector({8, 4, 65, kDropDownHeight}, {"午前", "午後"}, 0);
    ComboBox2 = addSelector({80, 4, 65, kDropDownHeight}, toItems(core::kHourLabels), 0);
    ComboBox3 = addSelector({152, 4, 60, kDropDownHeight}, numberedItems(60, "分"), 0);
    ComboBox4 = addSelector({152, 42, 60, kDropDownHeight}, toItems(core::kWeekdayItems), 0);
    RadioButton1 = onSheet(add(L"BUTTON", "一回", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                               {8, 44, 46, 17}, PageControl1),
                           0);
    RadioButton2 =
        onSheet(add(L"BUTTON", "毎日", BS_AUTORADIOBUTTON, {56, 44, 46, 17}, PageControl1), 0);
    RadioButton3 =
        onSheet(add(L"BUTTON", "毎週", BS_AUTORADIOBUTTON, {104, 44, 46, 17}, PageControl1), 0);
}

void TForm1::buildElapsedSheet() {
    SpinEdit1 = addSpin({8, 9, 45, 21}, 0, core::kElapsedHoursMaximum, 0, 1);
    addLabel("時間", 56, 12, 1);
    ComboBox6 = addSelector({93, 10, 45, kDropDownHeight}, numberedItems(60, ""), 1);
    addLabel("分後予約", 144, 12, 1);
    addLabel("残り日時", 8, 48, 1);
    Label8 = onSheet(add(L"STATIC", "", SS_RIGHT, {66, 48, 20, 14}, PageControl1), 1);
    addLabel("日", 88, 48, 1);
    Label9 = onSheet(add(L"STATIC", "", SS_RIGHT, {110, 48, 20, 14}, PageControl1), 1);
    addLabel("時間", 132, 48, 1);
    Label10 = onSheet(add(L"STATIC", "", SS_RIGHT, {170, 48, 20, 14}, PageControl1), 1);
    addLabel("分", 192, 48, 1);
    for (HWND value : {Label8, Label9, Label10})
        paintText(value, kTeal);
    showOnSheet(Label8, false);
    showOnSheet(Label9, false);
}

void TForm1::buildCpuSheet() {
    addLabel("ＣＰＵ使用率", 8, 8, 2);
    Label13 = onSheet(add(L"STATIC", "", SS_RIGHT, {85, 8, 24, 14}, PageControl1), 2);
    paintText(Label13, kTeal);
    addLabel("％", 112, 8, 2);
    SpinEdit2 = addSpin({8, 32, 41, 21}, 1, 100, 5, 2);
    addLabel("％以下", 50, 38, 2);
    SpinEdit3 = addSpin({88, 32, 47, 21}, 1, 1000, 3, 2);
    addLabel("分", 136, 38, 2);
    Button1 = onSheet(
        add(L"BUTTON", "開始", BS_PUSHBUTTON | WS_TABSTOP, {160, 4, 50, 25}, PageControl1), 2);
    Button5 = onSheet(
        add(L"BUTTON", "停止", BS_PUSHBUTTON | WS_TABSTOP, {160, 38, 50, 25}, PageControl1), 2);
}

void TForm1::buildMenus() {
    PopupMenu1 = CreatePopupMenu();
    appendItem(PopupMenu1, N1, L"予約設定");
    appendItem(PopupMenu1, Exit1, L"ソフト終了");
    HMENU N3 = CreatePopupMenu();
    appendItem(N3, N4, L"再起動");
    appendItem(N3, N5, L"強制再起動");
    AppendMenuW(PopupMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N3), L"再起動");
    appendItem(PopupMenu1, N2, L"電源Ｏｆｆ");
    PopupMenu2 = CreatePopupMenu();
    appendItem(PopupMenu2, Delete1, L"削除");
    appendItem(PopupMenu2, N6, L"停止");
    appendItem(PopupMenu2, N7, L"稼働");
}

HWND TForm1::addSelector(DesignRect place, const std::vector<std::string>& items, int sheet) {
    HWND box = add(WC_COMBOBOXW, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                   place, sheet < 0 ? nullptr : PageControl1);
    for (const std::string& item : items)
        SendMessageW(box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::toWide(item).c_str()));
    return sheet < 0 ? box : onSheet(box, sheet);
}

HWND TForm1::addLabel(std::string_view text, int left, int top, int sheet) {
    HWND label = add(L"STATIC", text, SS_LEFT | SS_NOPREFIX, {left, top, 0, 0},
                     sheet < 0 ? nullptr : PageControl1);
    return sheet < 0 ? label : onSheet(label, sheet);
}

std::unique_ptr<SpinEdit> TForm1::addSpin(DesignRect place, int minimum, int maximum, int value,
                                          int sheet) {
    HWND field = onSheet(add(L"EDIT", std::to_string(value), ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP,
                             {place.left, place.top, place.width - kArrowsWidth, place.height},
                             PageControl1, WS_EX_CLIENTEDGE),
                         sheet);
    HWND arrows = onSheet(
        add(UPDOWN_CLASSW, "", UDS_ARROWKEYS,
            {place.left + place.width - kArrowsWidth, place.top, kArrowsWidth, place.height},
            PageControl1),
        sheet);
    return std::make_unique<SpinEdit>(field, arrows, minimum, maximum);
}

HWND TForm1::onSheet(HWND control, int sheet) {
    sheetOf_[control] = sheet;
    return control;
}

void TForm1::showSheet(int index) {
    currentSheet_ = index;
    for (const auto& [control, sheet] : sheetOf_)
        applySheetVisibility(control);
}

void TForm1::showOnSheet(HWND control, bool shown) {
    auto known = shownByProgram_.find(control);
    if (known != shownByProgram_.end() && known->second == shown)
        return;
    shownByProgram_[control] = shown;
    applySheetVisibility(control);
}

void TForm1::applySheetVisibility(HWND control) {
    auto byProgram = shownByProgram_.find(control);
    const bool shown = sheetOf_[control] == currentSheet_ &&
                       (byProgram == shownByProgram_.end() || byProgram->second);
    ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
}

void TForm1::Timer1Timer() {
    model_.Timer1Timer();
    StringGrid1->refresh();
}

void TForm1::runBookingCommand(void (core::BookingCommands::*command)()) {
    (model_.booking().*command)();
    StringGrid1->refresh();
}

void TForm1::Button1Click() {
    model_.Button1Click();
}

void TForm1::Button2Click() {
    runBookingCommand(&core::BookingCommands::Button2Click);
}

void TForm1::Button3Click() {
    if (settingsDialog_ != nullptr)
        settingsDialog_->showDialog();
}

void TForm1::Button4Click() {
    ShowWindow(handle(), SW_HIDE);
}

void TForm1::Button5Click() {
    model_.Button5Click();
}

void TForm1::PageControl1Change() {
    const auto index = static_cast<int>(SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0));
    if (index >= 0 && index <= core::kCpuTab)
        showSheet(index);
}

void TForm1::StringGrid1DblClick() {
    runBookingCommand(&core::BookingCommands::StringGrid1DblClick);
}

void TForm1::StringGrid1MouseDown(int button) {
    if (button != 1)
        return;
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(PopupMenu2, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   handle(), nullptr);
}

void TForm1::N6Click() {
    runBookingCommand(&core::BookingCommands::N6Click);
}

void TForm1::N7Click() {
    runBookingCommand(&core::BookingCommands::N7Click);
}

void TForm1::Delete1Click() {
    runBookingCommand(&core::BookingCommands::Delete1Click);
}

void TForm1::WMAppShow() {
    showInFront();
}

void TForm1::ICONMessage(LPARAM mouseEvent) {
    if (mouseEvent != WM_LBUTTONDOWN)
        return;
    POINT at;
    GetCursorPos(&at);
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(handle());
    TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0,
                   handle(), nullptr);
    PostMessageW(handle(), WM_NULL, 0, 0);
}

void TForm1::N1Click() {
    // A minimised window is restored and raised, not left on the task bar.
    showInFront();
}

void TForm1::Exit1Click() {
    TrayIcon1->remove();
    SendMessageW(handle(), WM_CLOSE, 0, 0);
}

void TForm1::N2Click() {
    model_.N2Click();
}

void TForm1::N4Click() {
    model_.N4Click();
}

void TForm1::N5Click() {
    model_.N5Click();
}

void TForm1::FormClose() {
    TrayIcon1->remove();
    PostQuitMessage(0);
}

void TForm1::countdownCancelled() {
    model_.countdownCancelled();
}

void TForm1::showIfNoTrayHost() {
    KillTimer(handle(), kTrayHostWait);
    // A panel that starts with the session may have come up meanwhile.
    if (TrayIcon1->wanted() && !TrayIcon1->added() && !TrayIcon1->add() && !isVisible())
        showInFront();
}

void TForm1::menuCommand(UINT id) {
    switch (id) {
    case N1:
        return N1Click();
    case Exit1:
        return Exit1Click();
    case N4:
        return N4Click();
    case N5:
        return N5Click();
    case N2:
        return N2Click();
    case Delete1:
        return Delete1Click();
    case N6:
        return N6Click();
    case N7:
        return N7Click();
    default:
        return;
    }
}

LRESULT TForm1::command(HWND control, WORD notification) {
    if (!built_)
        return 0;
    if (notification == BN_CLICKED) {
        const std::map<HWND, void (TForm1::*)()> buttons{{Button1, &TForm1::Button1Click},
                                                         {Button2, &TForm1::Button2Click},
                                                         {Button3, &TForm1::Button3Click},
                                                         {Button4, &TForm1::Button4Click},
                                                         {Button5, &TForm1::Button5Click}};
        if (auto button = buttons.find(control); button != buttons.end())
            (this->*button->second)();
    } else if (notification == CBN_EDITCHANGE) {
        typedInto_[control] = true;
    } else if (notification == CBN_SELCHANGE) {
        typedInto_[control] = false;
    } else if (notification == EN_CHANGE) {
        if (control == SpinEdit2->edit())
            model_.SpinEdit2Change();
        else if (control == SpinEdit3->edit())
            model_.SpinEdit3Change();
    } else if (notification == EN_KILLFOCUS) {
        for (SpinEdit* spin : {SpinEdit1.get(), SpinEdit2.get(), SpinEdit3.get()})
            if (control == spin->edit())
                spin->left();
    }
    return 0;
}

LRESULT TForm1::notify(const NMHDR& header, LPARAM lParam) {
    if (!built_)
        return 0;
    if (header.hwndFrom == StringGrid1->handle() && header.code == NM_CUSTOMDRAW)
        return StringGrid1->customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    if (header.hwndFrom == PageControl1 && header.code == TCN_SELCHANGE) {
        PageControl1Change();
        return 0;
    }
    if (header.code == UDN_DELTAPOS)
        for (SpinEdit* spin : {SpinEdit1.get(), SpinEdit2.get(), SpinEdit3.get()})
            if (header.hwndFrom == spin->arrows())
                return spin->stepped(*reinterpret_cast<const NMUPDOWN*>(lParam));
    return 0;
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1Timer();
        else if (wParam == kTrayHostWait)
            showIfNoTrayHost();
        return 0;
    case WM_COMMAND:
        if (lParam == 0)
            menuCommand(LOWORD(wParam));
        else
            command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case kShowRequestMessage:
        WMAppShow();
        return 0;
    case kTrayCallbackMessage:
        ICONMessage(lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const LRESULT brush = handleDefault(message, wParam, lParam);
        return sheetOf_.contains(reinterpret_cast<HWND>(lParam))
                   ? pane_->paint(reinterpret_cast<HDC>(wParam))
                   : brush;
    }
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        pane_->refresh();
        InvalidateRect(handle(), nullptr, TRUE);
        return handleDefault(message, wParam, lParam);
    case WM_DPICHANGED: {
        const LRESULT result = handleDefault(message, wParam, lParam);
        applyDpi(HIWORD(wParam));
        return result;
    }
    case WM_DESTROY:
        FormClose();
        return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            TrayIcon1->taskbarCreated();
            return 0;
        }
        return handleDefault(message, wParam, lParam);
    }
}

} // namespace ui
