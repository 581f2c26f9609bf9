#include "MessageBoxPrompter.h"

#include "Design.h"

#include <QMessageBox>
#include <QPushButton>

namespace ui {

bool MessageBoxPrompter::askBox(const std::string& question) {
    QMessageBox box(QMessageBox::Question, qTr(core::design::kQuestionTitle),
                    QString::fromStdString(question));
    QPushButton* yes = box.addButton(qTr(core::design::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(qTr(core::design::kNo), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxPrompter::informBox(const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, qText(core::design::kProductName),
                    QString::fromStdString(message), QMessageBox::Ok);
    box.exec();
}

void MessageBoxPrompter::errorBox(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, qText(core::design::kProductName),
                    QString::fromStdString(message), QMessageBox::Ok);
    box.exec();
}

} // namespace ui
