#include "Selectors.h"

#include <QComboBox>
#include <QLineEdit>

namespace ui {

QComboBox* makeSelector(QWidget* parent, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(items);
    QLineEdit* edit = box->lineEdit();
    QObject::connect(edit, &QLineEdit::textEdited, box, [box, edit](const QString& typed) {
        const int cursor = edit->cursorPosition();
        box->setCurrentIndex(-1);
        box->setEditText(typed);
        edit->setCursorPosition(cursor);
    });
    return box;
}

std::string selectedItem(const QComboBox* box) {
    return box->itemText(box->currentIndex()).toStdString();
}

void selectEqualItem(QComboBox* box, const std::string& text) {
    int index =
        box->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        box->setCurrentIndex(index);
}

} // namespace ui
