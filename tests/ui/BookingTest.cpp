#include "core/text/Cp932.h"
#include "tests/support/MainWindowRig.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace testing_support;

namespace {

const std::string kPath = MainWindowRig::kReservations;

struct Window : MainWindowRig {
    explicit Window(std::initializer_list<std::string> rows = {})
        : MainWindowRig(at(2026, 12, 7, 9, 0, 0)) {
        create(reservationFileOf(rows));
    }

    // Row n of the file, decoded.
    std::string fileLine(int n) {
        std::string text = core::decodeCp932(files.files[kPath]);
        std::size_t pos = 0;
        for (int i = 1; i < n; ++i)
            pos = text.find("\r\n", pos) + 2;
        return text.substr(pos, text.find("\r\n", pos) - pos);
    }
    std::string row(int n) {
        std::string line;
        for (int c = 1; c <= 6; ++c)
            line += form->table().cell(c, n) + (c < 6 ? "," : "");
        return line;
    }
    void pick(QComboBox* box, const QString& item) {
        int index = box->findText(item);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
    }
    void book() { form->Button2->click(); }
};

} // namespace

class BookingTest : public QObject {
    Q_OBJECT
private slots:
    // The widgets reach the booking model: each selector, radio button, the calendar, the tab.
    void bookingThroughTheWidgets() {
        Window w;
        w.form->selectRow(4);
        w.form->RadioButton3->setChecked(true);
        w.pick(w.form->ComboBox4, "月～金");
        w.pick(w.form->ComboBox1, "午後");
        w.pick(w.form->ComboBox2, "10時");
        w.pick(w.form->ComboBox3, "30分");
        w.book();
        QCOMPARE(w.fileLine(4), std::string("毎週月～金,午後,10時,30分,終了,稼働"));
        w.form->selectRow(1);
        w.form->RadioButton1->setChecked(true);
        w.form->MonthCalendar1->setSelectedDate(QDate(2026, 12, 24));
        w.book();
        QCOMPARE(w.row(1), std::string("2026/12/24,午後,10時,30分,終了,稼働"));
        w.form->selectRow(2);
        w.form->PageControl1->setCurrentIndex(1);
        w.form->SpinEdit1->setValue(2);
        w.pick(w.form->ComboBox6, "15");
        w.pick(w.form->ComboBox5, "スタンバイ");
        w.book();
        QCOMPARE(w.row(2), std::string("2026/12/07,午前,11時,16分,スタンバイ,稼働"));
    }

    void typedTextIsNeverRead() {
        Window w;
        w.pick(w.form->ComboBox1, "午前");
        w.form->ComboBox1->setFocus();
        w.form->ComboBox1->lineEdit()->selectAll();
        QTest::keyClicks(w.form->ComboBox1->lineEdit(), "pm");
        QCOMPARE(w.form->ComboBox1->currentIndex(), -1);
        QCOMPARE(w.form->ComboBox1->currentText(), QStringLiteral("pm"));
        w.form->RadioButton2->setChecked(true);
        w.book();
        QCOMPARE(w.prompter.informed.back(),
                 std::string("午前・午後が選択されていません。選択して下さい。"));
        QCOMPARE(w.row(1), std::string(",,,,,"));
    }

    void reEditSetsTheControls() {
        Window w({"毎週土日,午後,２時,45分,再起動,稼働", "毎週,午前,１時,,,",
                  "2026/12/24,午前,９時,05分,,", "2026-12-24,午後,,,,"});
        w.form->PageControl1->setCurrentIndex(2);
        w.form->MonthCalendar1->setSelectedDate(QDate(2026, 1, 1));
        w.form->StringGrid1DblClick();
        QCOMPARE(w.form->PageControl1->currentIndex(), 0);
        QVERIFY(w.form->RadioButton3->isChecked());
        QCOMPARE(w.form->ComboBox4->currentIndex(), 9);
        QCOMPARE(w.form->MonthCalendar1->selectedDate(), QDate(2026, 12, 7));
        QCOMPARE(w.form->ComboBox1->currentText(), QStringLiteral("午後"));
        QCOMPARE(w.form->ComboBox2->currentText(), QStringLiteral("２時"));
        QCOMPARE(w.form->ComboBox3->currentText(), QStringLiteral("45分"));
        QCOMPARE(w.form->ComboBox5->currentText(), QStringLiteral("再起動"));
    }

    void rightClickKeepsTheSelectionForTheRowMenu() {
        Window w({"毎日,午前,７時,00分,終了,稼働", "毎日,午前,８時,00分,終了,稼働"});
        QCOMPARE(w.form->PopupMenu2->actions().size(), 3);
        w.form->selectRow(2);
        QWidget* viewport = w.form->StringGrid1->viewport();
        QPoint onRow1 =
            w.form->StringGrid1->visualRect(w.form->StringGrid1->model()->index(0, 0)).center();
        QTest::mouseClick(viewport, Qt::RightButton, {}, onRow1);
        QCOMPARE(w.form->selectedRow(), 2);
        QVERIFY(w.form->PopupMenu2->isVisible());
        w.form->PopupMenu2->hide();
        w.form->PopupMenu2->actions()[0]->trigger(); // 削除
        QCOMPARE(w.row(2), std::string(",,,,,"));
        QCOMPARE(w.row(1), std::string("毎日,午前,７時,00分,終了,稼働"));
        QCOMPARE(w.fileLine(2), std::string(",,,,,"));

        QTest::mouseClick(viewport, Qt::MiddleButton, {}, onRow1);
        QCOMPARE(w.form->selectedRow(), 2); // only the left button selects
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("毎"));
        QApplication::sendEvent(w.form->StringGrid1, &typed);
        QCOMPARE(w.form->selectedRow(), 2); // typing selects no row by its text
        QTest::mouseClick(viewport, Qt::LeftButton, {}, onRow1);
        QCOMPARE(w.form->selectedRow(), 1);

        // The row labels and the header: the right button opens the menu there too, and a
        // double click on a row's label re-edits it.
        QHeaderView* labels = w.form->StringGrid1->verticalHeader();
        QTest::mouseClick(labels->viewport(), Qt::RightButton, {},
                          QPoint(5, labels->sectionViewportPosition(2) + 5));
        QCOMPARE(w.form->selectedRow(), 1);
        QVERIFY(w.form->PopupMenu2->isVisible());
        w.form->PopupMenu2->hide();
        QTest::mouseClick(w.form->StringGrid1->horizontalHeader()->viewport(), Qt::RightButton, {},
                          QPoint(5, 5));
        QVERIFY(w.form->PopupMenu2->isVisible());
        w.form->PopupMenu2->hide();
        w.form->PageControl1->setCurrentIndex(2);
        QTest::mouseDClick(labels->viewport(), Qt::LeftButton, {},
                           QPoint(5, labels->sectionViewportPosition(0) + 5));
        QCOMPARE(w.form->PageControl1->currentIndex(), 0);
        QCOMPARE(w.form->ComboBox2->currentText(), QStringLiteral("７時"));
    }
};

QTEST_MAIN(BookingTest)
#include "BookingTest.moc"
