#pragma once

#include "ProgramBox.h"
#include "ReservationGrid.h"
#include "TrayIcon.h"
#include "core/book/ReservationTable.h"
#include "core/schedule/NoticeQueue.h"
#include "core/session/MainWindowModel.h"
#include "platform/windows/CommandChannel.h"
#include "platform/windows/WindowTickTimer.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Control.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/ReaderAnnotations.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/TabSheet.h"
#include "toolkit/Window.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace ui {

class TForm2;
class TForm3;
class TForm4;

using Form1Services = core::MainWindowModel::Services;

inline constexpr UINT kShowRequestMessage = WM_APP + 1; // 32769, from a second start
inline constexpr UINT kCommandMessage = WM_APP + 2;     // from the command pipe's thread

// The main window: the reservation table, the booking controls and the scheduler's tick.
class TForm1 : public Window, private core::MainWindowControls {
public:
    // What a second start and the tests find the running copy's window by.
    static constexpr wchar_t kClassName[] = L"TForm1";

    explicit TForm1(Form1Services services);

    // The dialogs are created after the main window.
    void attachCountdown(TForm2& countdown) { countdown_ = &countdown; }
    void attachSettingsDialog(TForm3& dialog) { settingsDialog_ = &dialog; }
    void attachPolicyList(TForm4& list) { policyList_ = &list; }
    const core::Policy& policy() const { return model_.policy(); }
    void countdownCancelled(core::CancelledBy by);
    std::optional<std::string> countdownPostponed();
    std::optional<std::string> countdownFinished();

    void Timer1Timer();                    // one tick of the scheduler now
    void Button1Click();                   // "開始" on the CPU tab
    void Button2Click();                   // "予約する"
    void Button3Click();                   // "設定"
    void Button4Click();                   // "トレイに格納"
    void Button5Click();                   // "停止" on the CPU tab
    void PageControl1Change();             // another tab chosen
    void StringGrid1DblClick();            // double click on the grid: re-edit
    void StringGrid1MouseDown(int button); // right button (1): the row menu
    void StringGrid1ContextPopup();        // menu key or Shift+F10 on the grid: the row menu
    // False, with the reason said, while the grid is locked.
    bool gridUsable();
    void N6Click();      // row menu "停止"
    void N7Click();      // row menu "稼働"
    void Delete1Click(); // row menu "削除"
    void WMAppShow();    // message 32769: a second start asks to see it
    // Message 1124: the mouse on the tray icon, or its balloon's end; a click on the balloon
    // shows the window.
    void ICONMessage(LPARAM mouseEvent);
    void N1Click();            // tray "予約設定"
    void openHistory();        // tray "履歴"
    void openPolicyBookings(); // tray "管理者の予約", and the line that names them
    void cancelFromTray();     // tray "キャンセル"
    void Exit1Click();         // tray "ソフト終了"
    void N2Click();            // tray "電源Ｏｆｆ"
    void N4Click();            // tray "再起動" › "再起動"
    void N5Click();            // tray "再起動" › "強制再起動"
    void FormClose();          // the window closes in any way: the program ends

    std::unique_ptr<MonthCalendar> MonthCalendar1;
    std::unique_ptr<TabControl> PageControl1;
    std::unique_ptr<TabSheet> TabSheet1;
    std::unique_ptr<TabSheet> TabSheet2;
    std::unique_ptr<TabSheet> TabSheet3;
    std::unique_ptr<TabSheet> TabSheet4;
    std::unique_ptr<Button> CheckBox1;
    std::unique_ptr<Button> CheckBox2;
    std::unique_ptr<Button> CheckBox3;
    std::unique_ptr<ProgramBox> ComboBox7;
    std::unique_ptr<SpinEdit> SpinEdit4;
    std::unique_ptr<SpinEdit> SpinEdit5;
    std::unique_ptr<SpinEdit> SpinEdit6;
    std::unique_ptr<Button> Button6;
    std::unique_ptr<Button> Button7;
    std::unique_ptr<ComboBox> ComboBox1;
    std::unique_ptr<ComboBox> ComboBox2;
    std::unique_ptr<ComboBox> ComboBox3;
    std::unique_ptr<ComboBox> ComboBox4;
    std::unique_ptr<ComboBox> ComboBox5;
    std::unique_ptr<ComboBox> ComboBox6;
    std::unique_ptr<Button> RadioButton1;
    std::unique_ptr<Button> RadioButton2;
    std::unique_ptr<Button> RadioButton3;
    std::unique_ptr<SpinEdit> SpinEdit1;
    std::unique_ptr<SpinEdit> SpinEdit2;
    std::unique_ptr<SpinEdit> SpinEdit3;
    std::unique_ptr<Label> Label2;
    std::unique_ptr<Label> LiveLine; // what a reader is told of a command done
    std::unique_ptr<Label> Label8;
    std::unique_ptr<Label> Label9;
    std::unique_ptr<Label> Label10;
    std::unique_ptr<Label> Label13;
    std::unique_ptr<Button> Button1;
    std::unique_ptr<Button> Button2;
    std::unique_ptr<Button> Button3;
    std::unique_ptr<Button> Button4;
    std::unique_ptr<Button> Button5;
    std::unique_ptr<Button> Button8; // "管理者の予約: N件"
    std::unique_ptr<ReservationGrid> StringGrid1;
    PopupMenu PopupMenu1;
    PopupMenu PopupMenu2;
    std::unique_ptr<TrayIcon> TrayIcon1;

private:
    ReaderAnnotations readers_;
    // The tray's right button went up: the WM_CONTEXTMENU after it is not the keyboard's.
    bool rightButtonUp_ = false;
    static constexpr UINT_PTR kTrayHostWait = 2;
    static constexpr UINT_PTR kBalloonLife = 3;
    static constexpr UINT_PTR kNoticeWait = 4;

    // The window, the tray icon, the menus, the model and the command pipe; the controls wait for
    // the first showing (buildWidgets).
    void build() override;
    void buildWidgets();
    // The fields without a caption of their own, named for a screen reader.
    void nameControls();
    void dpiChanged(int dpi) override;
    // The calendar in the window's font gets the size it asks for, which differs from system to
    // system; what it would cover moves aside and the window grows, as little as needed.
    void makeRoomForTheCalendar();
    void buildTimeSheet();
    void buildElapsedSheet();
    void buildCpuSheet();
    void buildJobSheet();
    void enableJobFields(bool enabled);
    void buildMenus();
    std::unique_ptr<TabSheet> addSheet();
    void showSheet(int index);
    void runBookingCommand(void (core::BookingCommands::*command)());
    void showIfNoTrayHost();
    // The icon shows one balloon at a time: the next notice waits its turn.
    void showWaitingNotice();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Shows or hides a control of a page; the page itself shows with its tab.
    static void setShown(HWND control, bool shown);

    bool built() const { return MonthCalendar1 != nullptr; }
    // The fields as they stand, told to the model after a user's change of any of them.
    void reportValues();
    core::MainWindowValues readValues() const;
    void drawJobFields(const core::JobFields& fields);
    void showValues(const core::MainWindowValues& values) override;
    void showClock(const std::string& text) override;
    void showUsage(const std::string& text) override;
    void showRemainingTime(std::optional<core::RemainingTime> remaining) override;
    void offerPrograms(const std::vector<std::string>& names) override;
    void addTrayIcon() override;
    void applyLocks(const core::ControlLocks& locks) override;
    void showCountdown() override;
    void cancelCountdown(core::CancelledBy by) override;
    void showTable() override;
    void showNotice(const core::Notice& notice) override;
    void showTrayTip(const std::string& tip) override;
    void confirm(const std::string& text) override;
    void showPolicyLine(const std::string& text) override;
    void showPolicyBookings(const std::vector<core::PolicyBookingLine>& lines,
                            const std::string& limits) override;
    ComboBox& comboBox(core::Selector selector) const;

    Form1Services services_;
    core::ReservationTable table_;
    platform::WindowTickTimer tickTimer_;
    core::NoticeQueue notices_;
    core::MainWindowModel model_;
    // The fields are being drawn: their notifications are not the user's.
    bool drawing_ = false;
    TForm2* countdown_ = nullptr;
    TForm3* settingsDialog_ = nullptr;
    TForm4* policyList_ = nullptr;
    std::string policyLine_;
    std::string gridReason_; // why the grid is locked, or empty
    UINT policyItem_ = 0;    // the tray menu's "管理者の予約"
    UINT taskbarCreated_;
    // From the installers: ends the program, as nothing of the user's may refuse.
    UINT endForSetup_;
    // Last: gone before the model it sends commands to.
    std::unique_ptr<platform::CommandPipeServer> commands_;
};

} // namespace ui
