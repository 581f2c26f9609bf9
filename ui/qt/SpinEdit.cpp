#include "SpinEdit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>
#include <limits>

namespace ui {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent), minimum_(minimum), maximum_(maximum) {
    // The widget's own range only limits what can be typed at all.
    QSpinBox::setRange(-99999999, 99999999);
    QSpinBox::setValue(minimum);
    setKeyboardTracking(true);
    // Typing reaches the editor directly; the program's changes come through setValue().
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::changed);
}

int SpinEdit::value() const {
    bool ok = false;
    int typed = cleanText().toInt(&ok);
    return ok ? typed : minimum_;
}

void SpinEdit::setValue(int value) {
    // The spin box updates its editor with signals blocked; report the change ourselves.
    const QString before = text();
    QSpinBox::setValue(std::clamp(value, minimum_, maximum_));
    if (text() != before)
        emit changed();
}

void SpinEdit::stepBy(int steps) {
    setValue(value() + steps);
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
                       fontMetrics().horizontalAdvance(QString::number(maximum_));
    if (needed > width())
        setFixedWidth(needed);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    int current = value();
    int inRange = std::clamp(current, minimum_, maximum_);
    if (inRange != current || cleanText() != QString::number(current))
        setValue(inRange);
    QSpinBox::focusOutEvent(event);
}

} // namespace ui
