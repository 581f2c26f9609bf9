#pragma once

#include "CountdownDialog.h"
#include "SpinEdit.h"
#include "core/base/TickTimer.h"
#include "core/book/ReservationTable.h"
#include "core/forms/FormDesign.h"
#include "core/schedule/SchedulerTick.h"
#include "core/session/MainWindowModel.h"

#include <QWidget>
#include <optional>
#include <string>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace ui {

class ProgramBox;
class ReservationGridModel;
class LiveLabel;
class TForm4;
class TrayIcon;

using Form1Services = core::MainWindowModel::Services;

// The main window: the reservation table, the booking controls and the scheduler's tick.
class TForm1 : public QWidget, public CountdownOwner, private core::MainWindowControls {
    Q_OBJECT
public:
    // `tickTimer` brings the scheduler's ticks.
    TForm1(Form1Services services, core::TickTimer& tickTimer, QWidget* parent = nullptr);
    ~TForm1() override;

    // The widgets are built at the first showing at the latest; until then the model keeps what
    // they will show, and the tray, the tick and the countdown work as ever.
    void buildWidgets();
    void setVisible(bool visible) override;

    // The dialogs are created after the main window.
    void attachCountdown(CountdownDialog& countdown) { countdown_ = &countdown; }
    void attachSettingsDialog(QWidget& dialog) { settingsDialog_ = &dialog; }

    void Timer1Timer();                                // one tick of the scheduler now
    void Button1Click();                               // "開始" on the CPU tab
    void Button2Click();                               // "予約する"
    void StringGrid1DblClick();                        // double click on the grid: re-edit
    void StringGrid1MouseDown(Qt::MouseButton button); // right button: the row menu
    void StringGrid1ContextPopup();                    // the menu key, Shift+F10: the row menu
    void N6Click();                                    // row menu "停止"
    void N7Click();                                    // row menu "稼働"
    void Delete1Click();                               // row menu "削除"
    void Button3Click();                               // "設定"
    void Button4Click();                               // "トレイに格納"
    void Button5Click();                               // "停止" on the CPU tab
    void startJobWatchClick();                         // "開始" on the 終了待ち tab
    void stopJobWatchClick();                          // "停止" on the 終了待ち tab
    // A second start asked to see the main window.
    void WMAppShow();
    void bringToFront();
    // The left button went down on the tray icon: its menu opens.
    void ICONMessage();
    void N1Click();            // tray "予約設定"
    void openHistory();        // tray "履歴"
    void openPolicyBookings(); // tray "管理者の予約", and the line that names them
    void cancelFromTray();     // tray "キャンセル"
    // logind called the shutdown off that a request began.
    void sessionEndCalledOff();
    void Exit1Click(); // tray "ソフト終了"
    void N2Click();    // tray "電源Ｏｆｆ"
    void N4Click();    // tray "再起動" › "再起動"
    void N5Click();    // tray "再起動" › "強制再起動"
    void countdownCancelled(core::CancelledBy by) override;
    std::optional<std::string> countdownPostponed() override;
    std::optional<std::string> countdownFinished() override;
    // Some seconds after start: with the icon wanted but no notification area to hold it, the
    // hidden window would be out of the user's reach, so it shows.
    void showIfNoTrayHost();

    // The selected reservation row, 1 to 30, or 0 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    const core::ReservationTable& table() const { return table_; }
    const core::Policy& policy() const { return model_.policy(); }
    // A command of the command line, from another process.
    core::CommandAnswer runCommandLine(const core::CommandRequest& request) {
        return model_.runCommandLine(request);
    }

signals:
    // A desktop notification is due.
    void noticeShown(const core::Notice& notice);

public:
    QCalendarWidget* MonthCalendar1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    ProgramBox* ComboBox7 = nullptr;
    SpinEdit* SpinEdit4 = nullptr;
    SpinEdit* SpinEdit5 = nullptr;
    SpinEdit* SpinEdit6 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    SpinEdit* SpinEdit1 = nullptr;
    SpinEdit* SpinEdit2 = nullptr;
    SpinEdit* SpinEdit3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button8 = nullptr; // "管理者の予約: N件"
    QTableView* StringGrid1 = nullptr;
    LiveLabel* LiveLine = nullptr; // what a reader is told of a command done
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* N9 = nullptr;
    TForm4* Form4 = nullptr; // the administrator's bookings, made at their first showing
    TrayIcon* TrayIcon1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    QRadioButton* makeRadio(const core::design::Control& design, int left = 0);
    void buildTimeSheet();
    void buildElapsedSheet();
    void buildCpuSheet();
    void buildJobSheet();
    // From now on a change of any field is reported as the user's.
    void connectFields();
    void enableJobFields(bool enabled);
    void buildGrid();
    // False, with the reason said, while the grid is locked.
    bool gridUsable();
    // The fields without a caption of their own, named for a screen reader.
    void nameControls();
    void buildTrayMenu();
    // The grid shows the table as the command left it.
    template <typename Command> void runBookingCommand(Command command);
    void setGridColour(bool locked);
    // Visible and not minimised, or not: the tick's cadence follows.
    void reportWindowState();

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
    QComboBox* selectorBox(core::Selector selector) const;

    Form1Services services_;
    core::ReservationTable table_;
    core::MainWindowModel model_;
    // The fields are being drawn: their change signals are not the user's.
    bool drawing_ = false;
    // The session tells how long nobody touched it: the 操作なし condition may be ticked.
    bool noInputOffered_ = true;
    ReservationGridModel* gridModel_ = nullptr;
    CountdownDialog* countdown_ = nullptr;
    std::string policyLine_;
    std::string gridReason_; // why the grid is locked, or empty
    QWidget* settingsDialog_ = nullptr;
};

} // namespace ui
