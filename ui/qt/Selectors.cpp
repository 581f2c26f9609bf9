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

} // namespace ui
