#include "tests/support/MainWindowRig.h"
#include "ui/qt/LiveLabel.h"
#include "ui/qt/Unit2.h"

#include <QAccessible>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cmath>

using namespace testing_support;

namespace {

class RecordingOwner : public ui::CountdownOwner {
public:
    void countdownCancelled(core::CancelledBy by) override { cancels.push_back(by); }
    std::optional<std::string> countdownPostponed() override {
        ++postpones;
        return postponeTaken ? std::nullopt
                             : std::optional<std::string>("予約の空きがありません。");
    }
    std::optional<std::string> countdownFinished() override {
        ++finishes;
        return std::nullopt;
    }
    // How each cancel came.
    std::vector<core::CancelledBy> cancels;
    int finishes = 0;
    int postpones = 0;
    bool postponeTaken = false;
};

struct Dialog {
    core::SharedState state;
    RecordingOwner owner;
    int beeps = 0;
    ui::TForm2 form{state, owner, [this] { ++beeps; }};

    // The WCAG contrast ratio of two colours.
    static double contrast(const QColor& a, const QColor& b) {
        const auto luminance = [](const QColor& c) {
            const auto linear = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
                   0.0722 * linear(c.blueF());
        };
        const double la = luminance(a), lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    }
    void tick(int times) {
        for (int i = 0; i < times; ++i)
            form.Timer1Timer();
    }
};

} // namespace

class Form2Test : public QObject {
    Q_OBJECT
private slots:
    void showingSetsTextsByAction() {
        Dialog d;
        QCOMPARE(d.form.size(), QSize(322, 194));
        QVERIFY(d.form.windowFlags() & Qt::WindowStaysOnTopHint);
        d.state.PendingAction = core::PowerAction::PowerOff;
        d.state.settings.ShutDownTime = "030";
        d.form.showCountdown();
        QCOMPARE(d.form.SpeedButton1->focusPolicy(), Qt::NoFocus);
        QCOMPARE(d.form.windowTitle(), QStringLiteral("電源断予告"));
        QCOMPARE(d.form.Label1->text(), QStringLiteral("030秒後にPowerOffします"));
        // What a reader makes of it: a dialog that names its keys, a bar that says what it is,
        // red text that can be read on its background.
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&d.form);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QVERIFY(dialog->text(QAccessible::Description)
                    .endsWith(QStringLiteral("Esc キーでキャンセル、Alt+L で10分延期")));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(d.form.ProgressBar1)->text(QAccessible::Name),
            QStringLiteral("残り時間"));
        QVERIFY(Dialog::contrast(d.form.Label1->palette().color(QPalette::WindowText),
                                 d.form.palette().color(QPalette::Window)) >= 4.5);
        QCOMPARE(d.form.ProgressBar1->maximum(), 30);
        QVERIFY(d.form.Timer1->isActive());
        QCOMPARE(d.form.Timer1->interval(), 1000);
        d.tick(30);
        QCOMPARE(d.state.ExecutionPhase, core::Phase::Execute);
        QVERIFY(d.form.isHidden());

        d.state.PendingAction = core::PowerAction::None;
        d.state.settings.ShutDownTime = "15";
        d.form.showCountdown();
        QCOMPARE(d.form.windowTitle(), QStringLiteral("電源断予告")); // kept from before
        QCOMPARE(d.form.Label1->text(), QStringLiteral("030秒後にPowerOffします"));
        QCOMPARE(d.form.ProgressBar1->maximum(), 15);
        QCOMPARE(d.form.ProgressBar1->value(), 0);
        QCOMPARE(d.state.CountdownTicks, 0);
    }

    void beepsOnlyWhenSwitchedOnExactly() {
        Dialog d;
        d.state.PendingAction = core::PowerAction::LogOff;
        d.state.settings.ShutDownTime = "15";
        d.state.settings.BEEPchange = "1";
        d.form.showCountdown();
        QCOMPARE(d.form.windowTitle(), QStringLiteral("ログオフ予告"));
        d.tick(14);
        QCOMPARE(d.form.ProgressBar1->value(), 14);
        QVERIFY(d.form.isVisible());
        d.tick(1);
        QCOMPARE(d.beeps, 15);
        QVERIFY(!d.form.Timer1->isActive());
        QVERIFY(d.form.isHidden());

        for (const char* off : {"0", "", "yes", "1 "}) {
            Dialog quiet;
            quiet.state.settings.BEEPchange = off;
            quiet.form.showCountdown();
            quiet.tick(3);
            QCOMPARE(quiet.beeps, 0);
        }
    }

    void showingAVisibleDialogDoesNotRestart() {
        Dialog d;
        d.state.PendingAction = core::PowerAction::Reboot;
        d.form.showCountdown();
        d.tick(10);
        d.form.showCountdown();
        QCOMPARE(d.state.CountdownTicks, 10);
        QCOMPARE(d.form.ProgressBar1->value(), 10);
    }

    void closeBoxCancels() {
        Dialog d;
        d.state.PendingAction = core::PowerAction::ForcedPowerOff;
        d.form.showCountdown();
        d.tick(10);
        d.form.close();
        QVERIFY(d.form.isHidden());
        QVERIFY(!d.form.Timer1->isActive());
        QCOMPARE(d.owner.cancels, std::vector{core::CancelledBy::CloseBox});
        d.form.showCountdown();
        QVERIFY2(d.form.Timer1->isActive(), "shown again for the next countdown");
    }

    void cancelStopsEverything() {
        Dialog d;
        d.state.PendingAction = core::PowerAction::PowerOff;
        d.form.showCountdown();
        d.tick(29);
        d.form.SpeedButton1->click();
        QVERIFY(d.form.isHidden());
        QVERIFY(!d.form.Timer1->isActive());
        QCOMPARE(d.owner.cancels, std::vector{core::CancelledBy::Button});
        QCOMPARE(d.state.ExecutionPhase, core::Phase::Watching);
        QCOMPARE(d.state.PendingAction, core::PowerAction::PowerOff);
        QCOMPARE(d.state.CountdownTicks, 29);
    }

    void postponeAndTheKeyboard() {
        Dialog d;
        d.form.showCountdown();
        QCOMPARE(d.form.SpeedButton1->geometry(), QRect(52, 144, 105, 25));
        QCOMPARE(d.form.SpeedButton2->geometry(), QRect(165, 144, 105, 25));
        QCOMPARE(d.form.SpeedButton2->text(), QStringLiteral("10分延期(&L)"));
        QCOMPARE(d.form.SpeedButton2->focusPolicy(), Qt::NoFocus);
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        d.form.activateWindow();
        QTest::keyClick(&d.form, Qt::Key_Return);
        QTest::keyClick(&d.form, Qt::Key_Space);
        QVERIFY(d.form.isVisible());
        // The access key presses the button that takes no focus; a refusal is also said aloud.
        QTest::keyClick(&d.form, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(d.owner.postpones, 1); // a key press clicks after a moment
        QVERIFY2(d.form.Timer1->isActive(), "no room for the booking: the count goes on");
        QCOMPARE(d.form.Label2->text(), QStringLiteral("予約の空きがありません。"));
        QVERIFY(
            d.form.Label3->accessibleName().startsWith(QStringLiteral("予約の空きがありません。")));
        d.owner.postponeTaken = true;
        d.form.SpeedButton2->click();
        QVERIFY(d.form.isHidden());
        QVERIFY(!d.form.Timer1->isActive());
        QVERIFY(d.owner.cancels.empty());

        d.form.showCountdown();
        QCOMPARE(d.form.Label2->text(),
                 QStringLiteral("キャンセルする場合は、キャンセルボタンを押してください。"));
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        QTest::keyClick(&d.form, Qt::Key_Escape);
        QVERIFY(d.form.isHidden());
        QCOMPARE(d.owner.cancels, std::vector{core::CancelledBy::Escape});
        d.form.showCountdown();
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        QTest::keyClick(&d.form, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(d.form.isHidden());
        QCOMPARE(d.owner.cancels.back(), core::CancelledBy::Button);
        d.form.showCountdown();
        d.form.cancelCountdown(core::CancelledBy::Command);
        QCOMPARE(d.owner.cancels.back(), core::CancelledBy::Command);
    }

    void aPolicysLimitsLeaveNoWayToCancelOrPutOff() {
        Dialog d;
        d.state.PendingAction = core::PowerAction::PowerOff;
        d.state.Limits = {false, false, 45};
        d.form.showCountdown();
        QVERIFY(!d.form.SpeedButton1->isEnabled());
        QVERIFY(!d.form.SpeedButton2->isEnabled());
        QCOMPARE(d.form.SpeedButton1->toolTip(),
                 QStringLiteral("管理者の設定で、キャンセルできません。"));
        QCOMPARE(d.form.ProgressBar1->maximum(), 45); // longer than the setting's 30
        QCOMPARE(d.form.Label1->text(), QStringLiteral("45秒後にPowerOffします"));
        QCOMPARE(d.form.Label2->text(), QStringLiteral("管理者の設定で、キャンセルできません。\n"
                                                       "管理者の設定で、これ以上延期できません。"));
        QVERIFY(QTest::qWaitForWindowExposed(&d.form));
        QTest::keyClick(&d.form, Qt::Key_Escape);
        d.form.close();
        d.form.cancelCountdown(core::CancelledBy::Command);
        d.form.SpeedButton2Click();
        QVERIFY(d.form.isVisible());
        QVERIFY(d.form.Timer1->isActive());
        QVERIFY(d.owner.cancels.empty());
        QCOMPARE(d.owner.postpones, 0);
        d.tick(44);
        QCOMPARE(d.state.ExecutionPhase, core::Phase::Watching);
        d.tick(1);
        QCOMPARE(d.state.ExecutionPhase, core::Phase::Execute);

        d.state.Limits = {};
        d.form.showCountdown();
        QVERIFY(d.form.SpeedButton1->isEnabled() && d.form.SpeedButton2->isEnabled());
        QVERIFY(d.form.SpeedButton1->toolTip().isEmpty());
    }

    void cancelReturnsTheMainWindowToWatching() {
        MainWindowRig rig(at(2026, 12, 7, 9, 0, 0));
        rig.create(std::nullopt);
        core::SharedState& state = rig.state;
        ui::TForm1& form1 = *rig.form;
        ui::TForm2 form2(state, form1, [] {});
        form1.attachCountdown(form2);
        form1.Button1Click(); // the watch locks the table
        form2.showCountdown();
        form2.SpeedButton1Click();
        QVERIFY(!rig.tickTimer.every);
        QVERIFY2(rig.tickTimer.moment.has_value(), "back on the wall clock");
        QVERIFY(!state.CpuWatchActive);
        QVERIFY(form1.StringGrid1->isEnabled());
        QVERIFY(form1.SpinEdit2->isEnabled());
        QVERIFY(!form1.Button2->isEnabled()); // until the next tick
        QCOMPARE(form1.StringGrid1->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
        form1.Timer1Timer();
        QVERIFY(form1.Button2->isEnabled());
    }
};

QTEST_MAIN(Form2Test)
#include "Form2Test.moc"
