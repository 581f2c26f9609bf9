#include "Unit1.h"

#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "core/forms/SelectorItems.h"
#include "platform/windows/CommandChannel.h"
#include "platform/windows/SetupMessage.h"
#include "platform/windows/WideText.h"
#include "toolkit/FocusRule.h"

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace ui {

namespace {

namespace d = core::design::form1;

constexpr int kArrowsWidth = 13;

HWND addLabel(Window& owner, const core::design::Control& design) {
    return owner.add(L"STATIC", design.text, SS_LEFT | SS_NOPREFIX, design.place);
}

std::unique_ptr<Label> addValueLabel(Window& owner, core::design::Rect place) {
    HWND label = owner.add(L"STATIC", "", SS_RIGHT, place);
    owner.paintText(label, colourRef(d::kValueColour));
    return std::make_unique<Label>(label);
}

std::unique_ptr<Button> addButton(Window& owner, const core::design::Control& design, DWORD style,
                                  std::function<void()> onClick) {
    return std::make_unique<Button>(
        owner.add(L"BUTTON", design.text, BS_PUSHBUTTON | style, design.place), std::move(onClick));
}

} // namespace

TForm1::TForm1(Form1Services services)
    : Window({kClassName, d::kTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, d::kClient,
              COLOR_BTNFACE},
             services.prompter),
      services_(std::move(services)), model_(services_, table_, *this, tickTimer_),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      endForSetup_(RegisterWindowMessageW(platform::kEndForSetupMessage)) {}

void TForm1::build() {
    tickTimer_.attach(handle());
    buildMenus();
    TrayIcon1 = std::make_unique<TrayIcon>(handle());
    model_.FormCreate();
    commands_ = std::make_unique<platform::CommandPipeServer>(handle(), kCommandMessage);
    if (!commands_->listening())
        prompter_.showError(core::tr(core::design::kCommandChannelTaken));
}

void TForm1::buildWidgets() {
    if (built())
        return;
    MonthCalendar1 = std::make_unique<MonthCalendar>(add(
        MONTHCAL_CLASSW, "", WS_TABSTOP | MCS_NOTODAY | MCS_SHORTDAYSOFWEEK, d::MonthCalendar1));
    PageControl1 = std::make_unique<TabControl>(
        add(WC_TABCONTROLW, "", WS_TABSTOP, d::PageControl1), [this] { PageControl1Change(); });
    for (std::string_view caption : d::kSheetCaptions)
        PageControl1->addTab(caption);
    TabSheet1 = addSheet();
    TabSheet2 = addSheet();
    TabSheet3 = addSheet();
    TabSheet4 = addSheet();
    buildTimeSheet();
    buildElapsedSheet();
    buildCpuSheet();
    buildJobSheet();

    addLabel(*this, d::Label1);
    Label2 = std::make_unique<Label>(add(L"STATIC", "", SS_LEFT, d::Label2));
    LiveLine = std::make_unique<Label>(add(L"STATIC", "", SS_LEFT | SS_NOPREFIX, {0, 0, 0, 0}));
    readers_.makeLive(LiveLine->hwnd());
    ComboBox5 = std::make_unique<ComboBox>(*this, d::ComboBox5,
                                           core::shownSelectorItems(core::Selector::Action));
    // No tab stop, and a click leaves the focus where it was.
    Button2 = addButton(*this, d::Button2, 0, [this] { Button2Click(); });
    keepFocusElsewhere(Button2->hwnd());
    Button4 = addButton(*this, d::Button4, WS_TABSTOP, [this] { Button4Click(); });
    StringGrid1 = std::make_unique<ReservationGrid>(
        *this, d::StringGrid1, table_, prompter_,
        ReservationGrid::Events{[this] { StringGrid1MouseDown(1); },
                                [this] { StringGrid1ContextPopup(); },
                                [this] { StringGrid1DblClick(); }});
    addHint(StringGrid1->hwnd(), d::kGridHint);
    Button3 = addButton(*this, d::Button3, 0, [this] { Button3Click(); });
    keepFocusElsewhere(Button3->hwnd());
    Button8 = addButton(*this, d::Button8, WS_TABSTOP, [this] { openPolicyBookings(); });
    showPolicyLine(policyLine_);
    nameControls();
    startFocusOn(MonthCalendar1->hwnd());
    showSheet(0);

    model_.widgetsBuilt();
    // From now on what a control tells may be the user's change of the fields.
    for (Window* window : std::initializer_list<Window*>{this, TabSheet1.get(), TabSheet2.get(),
                                                         TabSheet3.get(), TabSheet4.get()})
        window->onControlChange([this] { reportValues(); });
    dpiChanged(layoutDpi());
    centreOnPrimaryScreen();
}

void TForm1::nameControls() {
    namespace n = d::names;
    const std::pair<HWND, std::string_view> named[] = {
        {MonthCalendar1->hwnd(), n::MonthCalendar1}, {ComboBox1->hwnd(), n::ComboBox1},
        {ComboBox2->hwnd(), n::ComboBox2},           {ComboBox3->hwnd(), n::ComboBox3},
        {ComboBox4->hwnd(), n::ComboBox4},           {SpinEdit1->edit(), n::SpinEdit1},
        {ComboBox6->hwnd(), n::ComboBox6},           {SpinEdit2->edit(), n::SpinEdit2},
        {SpinEdit3->edit(), n::SpinEdit3},           {ComboBox7->hwnd(), n::ComboBox7},
        {SpinEdit4->edit(), n::SpinEdit4},           {SpinEdit5->edit(), n::SpinEdit5},
        {SpinEdit6->edit(), n::SpinEdit6},           {ComboBox5->hwnd(), n::ComboBox5},
        {StringGrid1->hwnd(), n::StringGrid1}};
    for (const auto& [control, name] : named)
        readers_.name(control, core::tr(name));
}

std::unique_ptr<TabSheet> TForm1::addSheet() {
    auto sheet = std::make_unique<TabSheet>(PageControl1->hwnd(), prompter_);
    sheet->create(handle());
    sheet->placeOnTab();
    return sheet;
}

void TForm1::dpiChanged(int dpi) {
    if (!built())
        return;
    for (TabSheet* sheet : {TabSheet1.get(), TabSheet2.get(), TabSheet3.get(), TabSheet4.get()}) {
        sheet->setDpi(dpi);
        sheet->placeOnTab();
    }
    StringGrid1->setDpi(dpi);
    makeRoomForTheCalendar();
}

void TForm1::makeRoomForTheCalendar() {
    const auto placeOf = [this](HWND control) {
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&place), 2);
        return place;
    };
    const RECT calendar = placeOf(MonthCalendar1->hwnd());
    const RECT need = MonthCalendar1->minimumSize();
    const int width = std::max(calendar.right - calendar.left, need.right - need.left);
    const int height = std::max(calendar.bottom - calendar.top, need.bottom - need.top);
    SetWindowPos(MonthCalendar1->hwnd(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // What lies to the right of the calendar moves right, what lies below it moves down, each
    // all together and only as far as the calendar's new edge and a small gap need.
    const int gap = scale(4);
    int nearestRight = INT_MAX;
    int nearestBelow = INT_MAX;
    std::vector<std::pair<HWND, RECT>> others;
    for (HWND child = GetWindow(handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == MonthCalendar1->hwnd())
            continue;
        const RECT place = placeOf(child);
        others.emplace_back(child, place);
        if (place.top >= calendar.bottom)
            nearestBelow = std::min(nearestBelow, static_cast<int>(place.top));
        else if (place.left >= calendar.right)
            nearestRight = std::min(nearestRight, static_cast<int>(place.left));
    }
    const int right = std::max(0, static_cast<int>(calendar.left) + width + gap - nearestRight);
    const int down = std::max(0, static_cast<int>(calendar.top) + height + gap - nearestBelow);
    if (right == 0 && down == 0)
        return;
    for (const auto& [child, place] : others) {
        const bool below = place.top >= calendar.bottom;
        const int dx = !below && place.left >= calendar.right ? right : 0;
        const int dy = below ? down : 0;
        if (dx != 0 || dy != 0)
            SetWindowPos(child, nullptr, place.left + dx, place.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT outer;
    GetWindowRect(handle(), &outer);
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left + right,
                 outer.bottom - outer.top + down, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::buildTimeSheet() {
    TabSheet& sheet = *TabSheet1;
    using core::Selector;
    ComboBox1 =
        std::make_unique<ComboBox>(sheet, d::ComboBox1, core::shownSelectorItems(Selector::Period));
    ComboBox2 =
        std::make_unique<ComboBox>(sheet, d::ComboBox2, core::shownSelectorItems(Selector::Hour));
    ComboBox3 =
        std::make_unique<ComboBox>(sheet, d::ComboBox3, core::shownSelectorItems(Selector::Minute));
    ComboBox4 = std::make_unique<ComboBox>(sheet, d::ComboBox4,
                                           core::shownSelectorItems(Selector::Weekdays));
    RadioButton1 = std::make_unique<Button>(sheet.add(L"BUTTON", d::RadioButton1.text,
                                                      BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                                                      d::RadioButton1.place));
    RadioButton2 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::RadioButton2.text, BS_AUTORADIOBUTTON, d::RadioButton2.place));
    RadioButton3 = std::make_unique<Button>(
        sheet.add(L"BUTTON", d::RadioButton3.text, BS_AUTORADIOBUTTON, d::RadioButton3.place));
    addHint(RadioButton1->hwnd(), d::kOnceHint);
}

void TForm1::buildElapsedSheet() {
    TabSheet& sheet = *TabSheet2;
    // Each field's label comes just before it: a screen reader names the field by it.
    addLabel(sheet, d::Label4);
    SpinEdit1 = std::make_unique<SpinEdit>(sheet, d::SpinEdit1, kArrowsWidth);
    ComboBox6 = std::make_unique<ComboBox>(
        sheet, d::ComboBox6, core::shownSelectorItems(core::Selector::ElapsedMinutes));
    addLabel(sheet, d::Label5);
    addLabel(sheet, d::Label3);
    Label8 = addValueLabel(sheet, d::Label8);
    addLabel(sheet, d::Label6);
    Label9 = addValueLabel(sheet, d::Label9);
    addLabel(sheet, d::Label7);
    Label10 = addValueLabel(sheet, d::Label10);
    addLabel(sheet, d::Label11);
    setShown(Label8->hwnd(), false);
    setShown(Label9->hwnd(), false);
}

void TForm1::buildCpuSheet() {
    TabSheet& sheet = *TabSheet3;
    addLabel(sheet, d::Label12);
    Label13 = addValueLabel(sheet, d::Label13);
    addLabel(sheet, d::Label14);
    addLabel(sheet, d::Label15);
    SpinEdit2 = std::make_unique<SpinEdit>(sheet, d::SpinEdit2, kArrowsWidth);
    addLabel(sheet, d::Label16);
    SpinEdit3 = std::make_unique<SpinEdit>(sheet, d::SpinEdit3, kArrowsWidth);
    Button1 = addButton(sheet, d::Button1, WS_TABSTOP, [this] { Button1Click(); });
    Button5 = addButton(sheet, d::Button5, WS_TABSTOP, [this] { Button5Click(); });
}

void TForm1::buildMenus() {
    PopupMenu1.add(d::N1, [this] { N1Click(); });
    PopupMenu1.add(d::N8, [this] { openHistory(); });
    policyItem_ = PopupMenu1.addHidden(d::N9, [this] { openPolicyBookings(); });
    PopupMenu1.add(d::Exit1, [this] { Exit1Click(); });
    PopupMenu& N3 = PopupMenu1.addSubmenu(d::N3);
    N3.add(d::N4, [this] { N4Click(); });
    N3.add(d::N5, [this] { N5Click(); });
    PopupMenu1.add(d::N2, [this] { N2Click(); });
    PopupMenu1.add(d::N10, [this] { cancelFromTray(); });
    PopupMenu2.add(d::Delete1, [this] { Delete1Click(); });
    PopupMenu2.add(d::N6, [this] { N6Click(); });
    PopupMenu2.add(d::N7, [this] { N7Click(); });
}

void TForm1::showSheet(int index) {
    const std::array<TabSheet*, 4> sheets{TabSheet1.get(), TabSheet2.get(), TabSheet3.get(),
                                          TabSheet4.get()};
    for (int sheet = 0; sheet < static_cast<int>(sheets.size()); ++sheet)
        ShowWindow(sheets[static_cast<std::size_t>(sheet)]->handle(),
                   sheet == index ? SW_SHOWNA : SW_HIDE);
}

void TForm1::setShown(HWND control, bool shown) {
    const bool now = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (now != shown)
        ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
}

void TForm1::Timer1Timer() {
    model_.Timer1Timer();
}

void TForm1::runBookingCommand(void (core::BookingCommands::*command)()) {
    model_.runBooking(command);
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
    const int index = PageControl1->selected();
    if (index >= 0 && index <= core::kJobTab)
        showSheet(index);
}

void TForm1::StringGrid1DblClick() {
    if (gridUsable())
        runBookingCommand(&core::BookingCommands::StringGrid1DblClick);
}

bool TForm1::gridUsable() {
    if (gridReason_.empty())
        return true;
    confirm(gridReason_);
    return false;
}

void TForm1::StringGrid1MouseDown(int button) {
    if (button != 1 || !gridUsable())
        return;
    POINT at;
    GetCursorPos(&at);
    hideHint();
    PopupMenu2.track(handle(), at, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
}

void TForm1::StringGrid1ContextPopup() {
    if (!gridUsable())
        return;
    const POINT at = StringGrid1->selectedRowCorner();
    hideHint();
    PopupMenu2.track(handle(), at, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
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
    switch (mouseEvent) {
    case NIN_BALLOONUSERCLICK:
        TrayIcon1->balloonEnded();
        WMAppShow();
        return;
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
        TrayIcon1->balloonEnded();
        return;
    case WM_RBUTTONUP:
        // The right button opens nothing: the context menu that follows it is passed over.
        rightButtonUp_ = true;
        return;
    case WM_CONTEXTMENU:
        if (std::exchange(rightButtonUp_, false))
            return;
        break;
    case WM_LBUTTONDOWN:
    case NIN_KEYSELECT:
        break;
    default:
        return;
    }
    POINT at;
    if (mouseEvent == WM_LBUTTONDOWN)
        GetCursorPos(&at);
    else
        at = TrayIcon1->menuPoint();
    // Without the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(handle());
    PopupMenu1.track(handle(), at, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON);
    PostMessageW(handle(), WM_NULL, 0, 0);
}

void TForm1::N1Click() {
    // A minimised window is restored and raised, not left on the task bar.
    showInFront();
}

void TForm1::Exit1Click() {
    if (!model_.FormCloseQuery())
        return;
    TrayIcon1->remove();
    SendMessageW(handle(), WM_CLOSE, 0, 0);
}

void TForm1::openHistory() {
    model_.openHistory();
}

void TForm1::openPolicyBookings() {
    model_.openPolicyBookings();
}

void TForm1::cancelFromTray() {
    model_.cancelFromTray();
}

void TForm1::showPolicyLine(const std::string& text) {
    policyLine_ = text;
    PopupMenu1.setShown(policyItem_, !text.empty());
    if (Button8) {
        setControlText(Button8->hwnd(), text);
        ShowWindow(Button8->hwnd(), text.empty() ? SW_HIDE : SW_SHOWNA);
    }
}

void TForm1::showPolicyBookings(const std::vector<core::PolicyBookingLine>& lines,
                                const std::string& limits) {
    if (policyList_)
        policyList_->showList(lines, limits);
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
    commands_.reset();
    TrayIcon1->remove();
    PostQuitMessage(0);
}

void TForm1::cancelCountdown(core::CancelledBy by) {
    if (countdown_ != nullptr)
        countdown_->cancelCountdown(by);
}

void TForm1::showTrayTip(const std::string& tip) {
    TrayIcon1->setTip(tip);
}

void TForm1::confirm(const std::string& text) {
    // A hidden window's line is heard by no reader: the tray's balloon says it instead.
    if (LiveLine && isVisible()) {
        readers_.announce(LiveLine->hwnd(), text);
        return;
    }
    showNotice(core::Notice{std::string(core::design::kProductName), text, std::nullopt});
}

void TForm1::showNotice(const core::Notice& notice) {
    notices_.push(notice);
    showWaitingNotice();
}

void TForm1::showWaitingNotice() {
    KillTimer(handle(), kNoticeWait);
    const core::LocalTime now = services_.clock.now();
    if (auto notice = notices_.take(now)) {
        TrayIcon1->showBalloon(notice->summary, notice->body);
        SetTimer(handle(), kBalloonLife, TrayIcon::kBalloonLifeMs, nullptr);
    }
    if (auto next = notices_.nextAt()) {
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*next - now);
        SetTimer(handle(), kNoticeWait, static_cast<UINT>(std::max<long long>(wait.count(), 1)),
                 nullptr);
    }
}

void TForm1::countdownCancelled(core::CancelledBy by) {
    model_.countdownCancelled(by);
}

std::optional<std::string> TForm1::countdownPostponed() {
    return model_.countdownPostponed();
}

std::optional<std::string> TForm1::countdownFinished() {
    return model_.countdownFinished();
}

void TForm1::showIfNoTrayHost() {
    KillTimer(handle(), kTrayHostWait);
    // A panel that starts with the session may have come up meanwhile.
    if (TrayIcon1->wanted() && !TrayIcon1->added() && !TrayIcon1->add() && !isVisible())
        showInFront();
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (tickTimer_.timerMessage(wParam))
            return 0;
        if (wParam == kTrayHostWait)
            showIfNoTrayHost();
        if (wParam == kNoticeWait)
            showWaitingNotice();
        if (wParam == kBalloonLife) {
            KillTimer(handle(), kBalloonLife);
            TrayIcon1->balloonEnded();
        }
        return 0;
    case kShowRequestMessage:
        WMAppShow();
        return 0;
    case kCommandMessage:
        if (commands_)
            commands_->answerPending([this](const core::CommandRequest& request) {
                return model_.runCommandLine(request);
            });
        return 0;
    case kTrayCallbackMessage:
        ICONMessage(lParam);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        // Shown, hidden, minimised or restored: another cadence, and a clock that shows at once.
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0)
            model_.refreshClock();
        model_.setWindowShown(isVisible() && !IsIconic(handle()));
        return handleDefault(message, wParam, lParam);
    }
    case WM_SHOWWINDOW:
        // The controls are made when the window first shows; until then the model's values wait
        // in the deferred controls.
        if (wParam != FALSE)
            buildWidgets();
        return handleDefault(message, wParam, lParam);
    case WM_TIMECHANGE:
        tickTimer_.clockChanged();
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC)
            tickTimer_.machineResumed();
        return TRUE;
    case WM_ENDSESSION:
        // A user who stopped the shutdown on the system's screen is not asked again and again.
        if (wParam == FALSE)
            model_.sessionEndCalledOff();
        return handleDefault(message, wParam, lParam);
    case WM_CLOSE:
        if (!model_.FormCloseQuery())
            return 0;
        return handleDefault(message, wParam, lParam);
    case WM_DESTROY:
        FormClose();
        return 0;
    default:
        if (message == endForSetup_ && endForSetup_ != 0) {
            TrayIcon1->remove();
            DestroyWindow(handle());
            return 0;
        }
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            TrayIcon1->taskbarCreated();
            return 0;
        }
        return handleDefault(message, wParam, lParam);
    }
}

} // namespace ui
