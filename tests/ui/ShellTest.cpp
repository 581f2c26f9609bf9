#include "platform/linux/XdgAutostart.h"
#include "tests/support/FakeAutostart.h"
#include "tests/support/MainWindowRig.h"
#include "ui/qt/TrayIcon.h"
#include "ui/qt/Unit3.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace testing_support;

namespace {

const std::string kIni = MainWindowRig::kSettings;

// The main window and the settings dialog, as the program creates them.
struct Program : MainWindowRig {
    FakeAutostart fakeAutostart;
    std::unique_ptr<ui::TForm3> form3;

    explicit Program(std::optional<std::string> ini = std::nullopt,
                     core::Autostart* autostart = nullptr, bool widgetsNow = true)
        : MainWindowRig(at(2026, 12, 7, 9, 0, 0)) {
        create(std::nullopt, ini, widgetsNow);
        form3 = std::make_unique<ui::TForm3>(core::SettingsDialog::Services{
            state.settings, files, kIni, prompter, autostart ? *autostart : fakeAutostart});
        form->attachSettingsDialog(*form3);
    }
    std::string ini() { return files.files[kIni]; }
};

void leaveField(QWidget* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
}

// The items the menu shows.
QList<QAction*> shown(const QMenu* menu) {
    QList<QAction*> out;
    for (QAction* action : menu->actions())
        if (action->isVisible())
            out << action;
    return out;
}

QStringList texts(const QMenu* menu) {
    QStringList out;
    for (QAction* action : shown(menu))
        out << action->text();
    return out;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    // Hidden, the window has no widgets until it first shows; then they show what the model set.
    void startsHiddenWithDefaultsAndWritesNothing() {
        Program p(std::nullopt, nullptr, false);
        QVERIFY(p.form->isHidden());
        QVERIFY(p.form->StringGrid1 == nullptr);
        QCOMPARE(p.state.settings.ShutDownTime, std::string("30"));
        QVERIFY(p.form->TrayIcon1->isAdded());
        p.clock.set(at(2026, 12, 7, 9, 0, 1));
        p.form->Timer1Timer();
        p.form->showIfNoTrayHost(); // the offscreen platform has no notification area
        QVERIFY(p.form->isVisible());
        QCOMPARE(p.form->SpinEdit2->value(), 5);
        QCOMPARE(p.form->SpinEdit3->value(), 3);
        QCOMPARE(p.form->ComboBox5->currentText(), QStringLiteral("終了"));
        QCOMPARE(p.form->ComboBox6->currentText(), QStringLiteral("30"));
        QCOMPARE(p.form->Label2->text(), QStringLiteral("9:00:01"));
        QCOMPARE(p.form->selectedRow(), 1);
        QVERIFY(p.files.files.empty());

        // A stored value out of range is stored back corrected at the start, not at the showing.
        Program stored("[SET]\r\nCPUPersent=250\r\n", nullptr, false);
        QCOMPARE(stored.ini(), std::string("[SET]\r\nCPUPersent=100\r\n"));
        stored.files.refuseWrites = true;
        stored.form->show();
        QVERIFY2(stored.prompter.errors.empty(), "the first showing writes nothing");
        QCOMPARE(stored.form->SpinEdit2->value(), 100);

        MainWindowRig due(at(2026, 12, 7, 11, 59, 59));
        due.create(reservationFileOf({"毎日,午後,０時,00分,スタンバイ,稼働"}), std::nullopt, false);
        due.clock.set(at(2026, 12, 7, 12, 0, 0));
        due.form->Timer1Timer();
        QCOMPARE(due.countdown.shown, 1);
        QVERIFY2(due.form->StringGrid1 == nullptr, "the countdown needs no main window");
    }

    void hiddenIconKeepsTheStartHidden() {
        Program p("[SET]\r\nTASKICOchange=1\r\n");
        QVERIFY(!p.form->TrayIcon1->isAdded());
        p.form->showIfNoTrayHost();
        QVERIFY(p.form->isHidden());
    }
    void spinFieldsStoreEveryChangeAndClampOnLeaving() {
        Program p;
        ui::SpinEdit* spin = p.form->SpinEdit2;
        spin->findChild<QLineEdit*>()->clear();
        QCOMPARE(p.state.settings.CPUPersent, std::string("1")); // an empty field is its minimum
        std::vector<std::string> stored;
        for (char digit : {'1', '5', '0'}) {
            QTest::keyClick(spin, digit);
            stored.push_back(p.state.settings.CPUPersent);
        }
        QCOMPARE(stored, (std::vector<std::string>{"1", "15", "150"}));
        QCOMPARE(p.ini(), std::string("[SET]\r\nCPUPersent=150\r\n"));
        leaveField(spin);
        QCOMPARE(spin->value(), 100);
        QCOMPARE(p.ini(), std::string("[SET]\r\nCPUPersent=100\r\n"));
        spin->stepBy(1);
        QCOMPARE(spin->value(), 100);
        spin->stepBy(-1);
        QCOMPARE(p.state.settings.CPUPersent, std::string("99"));
        p.form->SpinEdit3->setValue(5000);
        QCOMPARE(p.state.settings.CPUMinitu, std::string("1000"));
    }

    void trayMenuAndItsCommands() {
        Program p;
        QVERIFY2(p.form->PopupMenu1 == nullptr, "built at its first use");
        p.form->ICONMessage();
        QMenu* menu = p.form->PopupMenu1;
        QVERIFY(menu->isVisible());
        menu->hide();
        QCOMPARE(texts(menu), (QStringList{"予約設定", "履歴", "ソフト終了", "再起動", "電源Ｏｆｆ",
                                           "キャンセル"}));
        QMenu* restart = shown(menu)[3]->menu();
        QVERIFY(restart != nullptr);
        QCOMPARE(texts(restart), (QStringList{"再起動", "強制再起動"}));

        shown(menu)[1]->trigger();
        QCOMPARE(p.prompter.informed, std::vector<std::string>{"履歴はまだありません。"});
        shown(menu)[4]->trigger();
        QCOMPARE(p.power.calls.back(), std::string("request poweroff"));
        shown(menu)[1]->trigger();
        QCOMPARE(p.viewer.opened,
                 std::vector<std::string>{"/opt/bwm/Brindlewhistmoore-history.txt"});
        restart->actions()[0]->trigger();
        QCOMPARE(p.state.PendingAction, core::PowerAction::Reboot);

        p.prompter.answer = true;
        restart->actions()[1]->trigger();
        QCOMPARE(p.power.calls.back(), std::string("request force-reboot"));

        p.form->ICONMessage();
        QVERIFY(menu->isVisible());
        menu->hide();
        shown(menu)[0]->trigger();
        QVERIFY(p.form->isVisible());
        // Enter presses the focused button, as Space does.
        p.form->Button4->setFocus();
        QTest::keyClick(p.form->Button4, Qt::Key_Return);
        QVERIFY(p.form->isHidden());
        QVERIFY2(p.form->TrayIcon1->isAdded(), "hiding keeps the icon");
        p.form->WMAppShow();
        QVERIFY(p.form->isVisible());
        p.form->showMinimized();
        shown(menu)[0]->trigger();
        QVERIFY2(!p.form->isMinimized(), "予約設定 restores a minimised window");

        p.form->Button3Click();
        QVERIFY(p.form3->isVisible());
        shown(menu)[2]->trigger();
        QVERIFY(!p.form->TrayIcon1->isAdded());
        QVERIFY(p.form->isHidden());
    }

    void closingTheMainWindowRemovesTheIcon() {
        Program p;
        p.form->show();
        p.form->close();
        QVERIFY(!p.form->TrayIcon1->isAdded());
    }

    void settingsDialogShowsExactSwitchesAndSavesInOrder() {
        Program p("[SET]\r\nCPUchange=yes\r\nBEEPchange=1\r\nShutDownTime=200\r\n");
        QCOMPARE(p.state.settings.ShutDownTime, std::string("200"));
        p.form3->show();
        QCOMPARE(p.form3->size(), QSize(295, 504));
        QCOMPARE(p.form3->ComboBox1->currentIndex(), 0);
        QCOMPARE(p.form3->ComboBox1->itemText(2), QStringLiteral("English"));
        QVERIFY(!p.form3->CheckBox1->isChecked());
        QVERIFY(p.form3->CheckBox2->isChecked());
        QVERIFY(!p.form3->CheckBox3->isChecked());
        QCOMPARE(p.form3->SpinEdit1->value(), 120);

        p.form3->CheckBox3->setChecked(true);
        QVERIFY(p.form3->CheckBox5->isChecked());
        QCOMPARE(p.form3->SpinEdit2->value(), 5);
        p.form3->SpinEdit2->setValue(15);
        p.form3->Button1->click();
        QVERIFY(p.form3->isHidden());
        QCOMPARE(p.ini(), std::string("[SET]\r\nCPUchange=0\r\nBEEPchange=1\r\nShutDownTime=120\r\n"
                                      "TASKICOchange=1\r\nNOTICEchange=1\r\nNOTICETime=15\r\n"
                                      "WAKEchange=0\r\nDEFERchange=0\r\nPRECOMMAND=\r\n"
                                      "PRECOMMANDTime=30\r\nABORTchange=0\r\n"));
        QVERIFY2(p.prompter.informed.empty(), "the language stays, and nothing is said of it");
        QVERIFY2(!p.form3->CheckBox6->isEnabled(), "Linux offers a user no wake alarm");

        p.form3->show();
        p.form3->ComboBox1->setCurrentIndex(2);
        p.form3->Button1->click();
        QVERIFY(p.ini().ends_with("ABORTchange=0\r\nLanguage=en\r\n"));
        QCOMPARE(p.prompter.informed,
                 std::vector<std::string>{"表示の言語は次の起動から変わります。"});
        QVERIFY2(core::languageInUse() == "ja", "the windows stay in their language until then");
        QCOMPARE(p.state.settings.TASKICOchange, std::string("1"));
        QVERIFY2(p.form->TrayIcon1->isAdded(), "the icon goes only at the next start");
    }

    void settingsDialogCancelForgetsAndRefusedOkStaysOpen() {
        Program p;
        p.form3->show();
        p.form3->CheckBox1->setChecked(true);
        p.form3->SpinEdit1->setValue(60);
        p.form3->Button2->click();
        QVERIFY(p.form3->isHidden());
        QCOMPARE(p.state.settings.CPUchange, std::string("0"));
        QVERIFY(p.files.files.empty());
        p.form3->show();
        QVERIFY(!p.form3->CheckBox1->isChecked());
        QCOMPARE(p.form3->SpinEdit1->value(), 30);

        p.files.refuseWrites = true;
        p.form3->Button1Click();
        QVERIFY(p.form3->isVisible());
    }

    // The real entry, in a configuration folder of the test's own.
    void startAtLogonRoundTrip() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("my tools")));
        const QString program = config.path() + QStringLiteral("/my tools/Brindlewhistmoore");
        QFile programFile(program);
        QVERIFY(programFile.open(QIODevice::WriteOnly));
        programFile.close();
        platform::XdgAutostart autostart(program.toStdString());
        const QString entry = QString::fromStdString(autostart.entryPath());
        QVERIFY(entry.startsWith(config.path()));
        auto entryText = [&] {
            QFile file(entry);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        auto writeEntry = [&](const QString& text) {
            QFile file(entry);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        };
        Program p(std::nullopt, &autostart);
        p.form3->show();
        QVERIFY(!p.form3->CheckBox4->isChecked());
        p.form3->CheckBox4->setChecked(true);
        p.form3->Button1->click();
        QVERIFY(entryText().contains(QStringLiteral("\nExec=\"%1\"\n").arg(program)));
        QVERIFY(entryText().contains(QStringLiteral("\nPath=%1\n").arg(QDir::currentPath())));
        QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), {entry}), 0);

        p.form3->show();
        QVERIFY(p.form3->CheckBox4->isChecked());
        p.form3->CheckBox4->setChecked(false);
        p.form3->Button1->click();
        QVERIFY(!QFile::exists(entry));

        const QString byHand = QStringLiteral("[Desktop Entry]\nType=Application\nName=mine\n"
                                              "Exec=\"%1\" --mine\nPath=/tmp\n")
                                   .arg(program);
        writeEntry(byHand);
        p.form3->show();
        QVERIFY2(p.form3->CheckBox4->isChecked(), "an entry made by hand for this program");
        p.form3->Button1->click();
        QCOMPARE(entryText(), byHand);

        writeEntry(QStringLiteral("[Desktop Entry]\nExec=/other/Brindlewhistmoore\nPath=/tmp\n"));
        p.form3->show();
        QVERIFY2(!p.form3->CheckBox4->isChecked(), "another copy's entry");
        p.form3->CheckBox4->setChecked(true);
        p.form3->Button1->click();
        QVERIFY(entryText().contains(program));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
