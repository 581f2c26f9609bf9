#include "SpinEdit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace ui {

SpinEdit::SpinEdit(core::SpinRange range, QWidget* parent) : QSpinBox(parent), range_(range) {
    // The widget's own range only limits what can be typed at all.
    QSpinBox::setRange(-99999999, 99999999);
    QSpinBox::setValue(range_.minimum);
    setKeyboardTracking(true);
    // Typing reaches the editor directly; the program's changes come through setValue().
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::changed);
}

int SpinEdit::value() const {
    return range_.value(cleanText().toStdString());
}

void SpinEdit::setValue(int value) {
    // The spin box updates its editor with signals blocked; report the change ourselves.
    const QString before = text();
    QSpinBox::setValue(range_.clamped(value));
    if (text() != before)
        emit changed();
}

void SpinEdit::stepBy(int steps) {
    setValue(range_.stepped(cleanText().toStdString(), steps));
    selectAll();
}

void SpinEdit::fitLargestValue() {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this);
    // The editor keeps 2 pixels each side of its text, and one more for the cursor.
    constexpr int kEditorMargins = 2 + 2 + 1;
    const int needed = width() - field.width() + kEditorMargins +
                       fontMetrics().horizontalAdvance(QString::number(range_.maximum));
    if (needed > width())
        setFixedWidth(needed);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    if (auto corrected = range_.correctionOnLeaving(cleanText().toStdString()))
        setValue(*corrected);
    QSpinBox::focusOutEvent(event);
}

} // namespace ui
