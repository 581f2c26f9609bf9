#include "MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

bool MessageBoxPrompter::ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"),
                    QString::fromStdString(question));
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxPrompter::inform(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                    QString::fromStdString(message), QMessageBox::Ok);
    box.exec();
}

void MessageBoxPrompter::showError(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(),
                    QString::fromStdString(message), QMessageBox::Ok);
    box.exec();
}

} // namespace ui
