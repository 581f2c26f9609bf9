#include "tests/support/MainWindowRig.h"
#include "ui/qt/LiveLabel.h"
#include "ui/qt/Unit4.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace testing_support;

namespace {

const std::string kPath = MainWindowRig::kReservations;

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

    struct Fixture : MainWindowRig {
        Fixture() : MainWindowRig(at(2026, 12, 7, 11, 59, 59, 700)) {}
        void create(const std::string& fileBytes, bool widgetsNow = true) {
            MainWindowRig::create(fileBytes, std::nullopt, widgetsNow);
        }
        QString gridText(int row, int column) const {
            auto* model = form->StringGrid1->model();
            return model->data(model->index(row - 1, column - 1)).toString();
        }
    };

private slots:
    void windowAndGridShape() {
        Fixture f;
        f.create(reservationFileOf({"毎週月～金,午後,10時,30分,終了,稼働"}));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Brindlewhistmoore"));
        QCOMPARE(f.form->size(), QSize(498, 398));
        QCOMPARE(f.form->StringGrid1->geometry(), QRect(52, 224, 394, 121));
        // The four captions without scroll arrows.
        const QTabBar* tabs = f.form->PageControl1->tabBar();
        QCOMPARE(tabs->count(), 4);
        QVERIFY(tabs->tabRect(3).right() < f.form->PageControl1->width());
        QCOMPARE(f.form->Button2->text(), QStringLiteral("予約する(&B)"));

        auto* model = f.form->StringGrid1->model();
        QCOMPARE(model->rowCount(), 30);
        QCOMPARE(model->columnCount(), 6);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("年月日"));
        QCOMPARE(model->headerData(8, Qt::Vertical).toString(), QStringLiteral("予約９"));
        QCOMPARE(model->headerData(9, Qt::Vertical).toString(), QStringLiteral("予約10"));
        QCOMPARE(f.form->StringGrid1->horizontalHeader()->sectionSize(0), 75);
        QCOMPARE(f.form->StringGrid1->horizontalHeader()->sectionSize(5), 40);
        QCOMPARE(f.gridText(1, 1), QStringLiteral("毎週月～金"));
        QCOMPARE(f.gridText(1, 6), QStringLiteral("稼働"));
        QCOMPARE(f.form->selectedRow(), 1);
        QCOMPARE(f.form->ComboBox5->currentText(), QStringLiteral("終了"));
        QCOMPARE(f.form->ComboBox1->currentIndex(), -1);
        QVERIFY(f.form->Label8->isHidden());
        QVERIFY(f.form->Label9->isHidden());

        // Every spin field shows its largest value whole, and nothing after it overlaps.
        for (ui::SpinEdit* spin : {f.form->SpinEdit1, f.form->SpinEdit2, f.form->SpinEdit3,
                                   f.form->SpinEdit4, f.form->SpinEdit5}) {
            spin->setValue(spin->maximum());
            QLineEdit* editor = spin->findChild<QLineEdit*>();
            QVERIFY(editor->fontMetrics().horizontalAdvance(editor->text()) + 4 <= editor->width());
        }
        QVERIFY(f.form->Label16->geometry().right() < f.form->Button5->x());
        QVERIFY(f.form->SpinEdit1->geometry().right() < f.form->Label4->x());
        QVERIFY(f.form->SpinEdit4->x() > f.form->CheckBox2->geometry().right());
        QVERIFY(f.form->SpinEdit5->x() > f.form->Label17->geometry().right());
        QVERIFY(f.form->Label18->geometry().right() < f.form->TabSheet4->width());
    }

    // The cadences are the core's (core tests); here the window reports where it is.
    void windowStatesReachTheTick() {
        using std::chrono::milliseconds;
        Fixture f;
        f.create(reservationFileOf({}));
        f.clock.set(at(2026, 12, 7, 12, 0, 0, 4));
        f.form->Timer1Timer(); // the loaded file scanned: hidden, the next minute
        QCOMPARE(f.tickTimer.moment, milliseconds(59997));
        f.form->show();
        QCOMPARE(f.tickTimer.moment, milliseconds(497));
        f.form->showMinimized();
        QCOMPARE(f.tickTimer.moment, milliseconds(59997));
        f.form->showNormal();
        QCOMPARE(f.tickTimer.moment, milliseconds(497));
        f.form->hide();
        QCOMPARE(f.tickTimer.moment, milliseconds(59997));
    }

    // The model decides (core tests); here its results reach the widgets.
    void tickDrawsIntoTheWidgets() {
        Fixture f;
        f.create(reservationFileOf({"2026/12/07,午後,０時,00分,再起動,稼働", "毎日,午前,,,,",
                                    "2026/12/08,午後,２時,03分,終了,停止"}));
        f.form->selectRow(3);
        f.cpu.usage = 7;
        f.clock.set(at(2026, 12, 7, 12, 0, 0, 40));
        f.form->Timer1Timer();
        QCOMPARE(f.form->Label2->text(), QStringLiteral("12:00:00"));
        QCOMPARE(f.form->Label13->text(), QStringLiteral("  7"));
        QCOMPARE(f.countdown.shown, 1);
        QCOMPARE(f.tickTimer.every, std::chrono::milliseconds(32000));
        QCOMPARE(f.gridText(1, 1), QString()); // the grid shows the cleared row
        QCOMPARE(f.form->Label9->text(), QStringLiteral("2"));
        QVERIFY(f.form->ComboBox4->isHidden());
        f.form->RadioButton3->setChecked(true);
        f.form->Timer1Timer();
        QVERIFY(!f.form->ComboBox4->isHidden());
    }

    // Also a window that first shows while the watch runs shows it locked.
    void lockedAppearanceFollowsTheWatch() {
        for (bool widgetsNow : {true, false}) {
            Fixture f;
            f.create(reservationFileOf({"毎日,午後,０時,00分,スタンバイ,稼働"}), widgetsNow);
            f.state.settings.CPUchange = "1";
            f.clock.set(at(2026, 12, 7, 12, 0, 0, 0));
            f.form->Timer1Timer();
            if (!widgetsNow) {
                QVERIFY(f.state.CpuWatchActive);
                QVERIFY(f.form->StringGrid1 == nullptr);
                f.form->show();
            }
            QCOMPARE(f.form->PageControl1->currentIndex(), 2);
            QCOMPARE(f.form->ComboBox5->currentText(), QStringLiteral("スタンバイ"));
            // Locked, the grid stays readable and says why to whoever tries to change it.
            QVERIFY(f.form->StringGrid1->isEnabled());
            QCOMPARE(f.form->StringGrid1->accessibleDescription(),
                     QStringLiteral("監視中は予約を変えられません。監視を停止してください。"));
            f.form->show();
            QTest::keyClick(f.form->StringGrid1, Qt::Key_Menu);
            QVERIFY(!f.form->PopupMenu2->isVisible());
            QCOMPARE(f.form->LiveLine->accessibleName(),
                     QStringLiteral("監視中は予約を変えられません。監視を停止してください。"));
            QVERIFY(!f.form->Button2->isEnabled());
            QCOMPARE(f.form->StringGrid1->palette().color(QPalette::Base), QColor(0x808080));

            // Cancelled, then started again before the next tick: the table is locked at once.
            f.form->countdownCancelled(core::CancelledBy::Button);
            QCOMPARE(f.form->StringGrid1->accessibleDescription(),
                     QStringLiteral("ダブルクリックで再編集。右クリックで削除・停止・稼働。"));
            QVERIFY(!f.form->Button2->isEnabled()); // until the next tick
            f.form->Button1Click();
            QCOMPARE(f.form->StringGrid1->accessibleDescription(),
                     QStringLiteral("監視中は予約を変えられません。監視を停止してください。"));
            QCOMPARE(f.form->StringGrid1->palette().color(QPalette::Base), QColor(0x808080));
            f.form->Button5Click();
            QCOMPARE(f.form->StringGrid1->accessibleDescription(),
                     QStringLiteral("ダブルクリックで再編集。右クリックで削除・停止・稼働。"));
            QVERIFY(f.form->Button2->isEnabled());
        }
    }

    // The line and the tray's item come and go with the policy; the list is read-only.
    void thePolicysLineOpensItsBookings() {
        for (bool widgetsNow : {true, false}) {
            Fixture f;
            f.create(reservationFileOf({}), widgetsNow);
            f.policy.set({{.place = "/etc/p.ini",
                           .allowUserBookings = false,
                           .bookings = testing_support::numbered({"reboot --at 3:00 --daily"})}});
            f.form->Timer1Timer();
            f.form->show();
            QVERIFY(f.form->Button8->isVisible());
            QCOMPARE(f.form->Button8->text(), QStringLiteral("管理者の予約: 1件"));
            QCOMPARE(f.form->StringGrid1->accessibleDescription(),
                     QStringLiteral("管理者の設定で、予約は変えられません。"));
            QVERIFY(!f.form->ComboBox1->isEnabled() && !f.form->RadioButton2->isEnabled());
            QCOMPARE(f.form->MonthCalendar1->accessibleDescription(),
                     QStringLiteral("管理者の設定で、予約は変えられません。"));
            QVERIFY2(f.form->ComboBox5->isEnabled(), "the watches still use the action");
            f.form->ICONMessage();
            QVERIFY(f.form->N9->isVisible());
            f.form->PopupMenu1->close();
            f.form->Button8->click();
            QVERIFY(f.form->Form4 != nullptr && f.form->Form4->isVisible());
            QTableWidget* list = f.form->Form4->ListView1;
            QCOMPARE(list->rowCount(), 1);
            QCOMPARE(list->item(0, 4)->text(), QStringLiteral("2026/12/08 3:00"));
            QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
            QCOMPARE(
                f.form->Form4->Label1->text(),
                QStringLiteral("キャンセル: できる  10分延期: 制限なし  予約の変更: できない"));

            f.policy.set({});
            f.form->Timer1Timer();
            QVERIFY(!f.form->Button8->isVisible());
            QVERIFY(!f.form->N9->isVisible());
            QVERIFY(f.form->StringGrid1->isEnabled());
        }
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
