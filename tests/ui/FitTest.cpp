// Every text of the windows fits its control in a language whose words run about 40 % longer
// than English, as the window description widens the windows for a language other than the
// source's; and the source language keeps its designed sizes.
#include "core/lang/Catalogue.h"
#include "tests/support/FakeAutostart.h"
#include "tests/support/MainWindowRig.h"
#include "ui/qt/Unit2.h"
#include "ui/qt/Unit3.h"
#include "ui/qt/Unit4.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

extern const core::Catalogue kPseudoEnglish;

using namespace testing_support;

namespace {

QString withoutAccelerator(QString text) {
    return text.remove(QLatin1Char('&'));
}

class SilentOwner : public ui::CountdownOwner {
public:
    void countdownCancelled(core::CancelledBy) override {}
    std::optional<std::string> countdownPostponed() override { return std::nullopt; }
    std::optional<std::string> countdownFinished() override { return std::nullopt; }
};

// What does not fit in the window: each text wider than its control, each control past its
// parent's edge or into the control to its right.
QStringList misfits(const QWidget* window) {
    QStringList found;
    const auto misfit = [&](const QWidget* widget, const QString& text, int needs, int has) {
        if (needs > has)
            found << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                         .arg(QString::fromLatin1(widget->metaObject()->className()), text)
                         .arg(needs)
                         .arg(has);
    };
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (const auto* button = qobject_cast<const QPushButton*>(widget);
            button && !button->text().isEmpty()) {
            const int margins = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin) + 2;
            misfit(button, button->text(),
                   button->fontMetrics().horizontalAdvance(withoutAccelerator(button->text())) +
                       margins,
                   button->width());
        } else if (const auto* box = qobject_cast<const QAbstractButton*>(widget);
                   box && !box->text().isEmpty()) {
            misfit(box, box->text(), box->sizeHint().width(), box->width());
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget);
            label && !label->text().isEmpty()) {
            const QRect room = label->contentsRect();
            if (label->wordWrap())
                misfit(label, label->text(), label->heightForWidth(room.width()), room.height());
            else
                misfit(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()),
                       room.width());
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            misfit(group, group->title(), group->minimumSizeHint().width(), group->width());
        if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
            misfit(tabs, QStringLiteral("tabs"), tabs->tabBar()->sizeHint().width(), tabs->width());
        if (const auto* header = qobject_cast<const QHeaderView*>(widget);
            header && header->orientation() == Qt::Horizontal) {
            for (int section = 0; section < header->count(); ++section) {
                const QString text =
                    header->model()->headerData(section, Qt::Horizontal).toString();
                misfit(header, text, header->fontMetrics().horizontalAdvance(text) + 8,
                       header->sectionSize(section));
            }
        }
        // The controls the description places, not the parts a control is made of.
        const QWidget* parent = widget->parentWidget();
        const bool placed = parent == window || qobject_cast<const QGroupBox*>(parent) ||
                            parent->metaObject() == &QWidget::staticMetaObject;
        if (!placed || widget->isWindow() || !widget->isVisibleTo(parent) ||
            qobject_cast<const QTabBar*>(widget))
            continue;
        misfit(widget, QStringLiteral("right edge"), widget->geometry().right(),
               parent->rect().right());
        for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect a = widget->geometry();
            const QRect b = other->geometry();
            const bool sameRow = a.top() < b.bottom() && b.top() < a.bottom();
            if (other != widget && other->isVisibleTo(parent) && sameRow && a.left() < b.left())
                misfit(widget,
                       QStringLiteral("next to %1")
                           .arg(QString::fromLatin1(other->metaObject()->className())),
                       a.right(), b.left() - 1);
        }
    }
    return found;
}

} // namespace

class FitTest : public QObject {
    Q_OBJECT
private slots:
    void everyTextFitsInALongerLanguage() {
        const core::LanguageScope language(&kPseudoEnglish);
        MainWindowRig rig(at(2026, 12, 7, 9, 0, 0));
        rig.create(std::nullopt);
        rig.form->show();
        FakeAutostart autostart;
        ui::TForm3 settings(
            {rig.state.settings, rig.files, MainWindowRig::kSettings, rig.prompter, autostart});
        settings.show();
        SilentOwner owner;
        ui::TForm2 countdown(rig.state, owner, [] {});
        rig.state.PendingAction = core::PowerAction::ForcedPowerOff;
        rig.state.settings.ShutDownTime = "120";
        countdown.showCountdown();
        // Both of the administrator's reasons at once, in the line that holds either.
        core::SharedState limited;
        limited.PendingAction = core::PowerAction::Reboot;
        limited.Limits = {false, false, 0};
        ui::TForm2 refusing(limited, owner, [] {});
        refusing.showCountdown();
        ui::TForm4 policy;
        policy.showList({{"管理者の予約30 (10分延期)", "毎週月～土", "午後10時00分", "強制再起",
                          "2026/12/24 22:00"}},
                        "");
        for (const QWidget* window : std::initializer_list<const QWidget*>{
                 rig.form.get(), &settings, &countdown, &refusing, &policy})
            QVERIFY2(misfits(window).isEmpty(),
                     qPrintable(misfits(window).join(QLatin1Char('\n'))));
    }

    void theSourceLanguageKeepsItsDesign() {
        MainWindowRig rig(at(2026, 12, 7, 9, 0, 0));
        rig.create(std::nullopt);
        QCOMPARE(rig.form->size(), QSize(498, 398));
        const core::LanguageScope language(&kPseudoEnglish);
        MainWindowRig wider(at(2026, 12, 7, 9, 0, 0));
        wider.create(std::nullopt);
        QVERIFY(wider.form->width() > 498);
        QCOMPARE(wider.form->height(), 398);
    }
};

QTEST_MAIN(FitTest)
#include "FitTest.moc"
