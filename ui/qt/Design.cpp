#include "Design.h"

#include "SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace ui {

QLabel* makeLabel(QWidget* parent, const core::design::Control& design, int left) {
    auto* label = new QLabel(qTr(design.text), parent);
    const QRect place = qRect(design.place);
    label->move(std::max(left, place.left()), place.top());
    label->adjustSize();
    return label;
}

void paintText(QLabel* label, core::design::Colour colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, qColour(colour));
    label->setPalette(palette);
}

QPushButton* makeButton(QWidget* parent, const core::design::Control& design) {
    auto* button = new QPushButton(qTr(design.text), parent);
    button->setGeometry(qRect(design.place));
    // Enter presses the focused button as Space does, in any window.
    button->setAutoDefault(true);
    return button;
}

SpinEdit* makeSpin(QWidget* parent, const core::design::Spin& design, int left) {
    auto* spin = new SpinEdit(design.range, parent);
    spin->setValue(design.value);
    QRect place = qRect(design.place);
    place.moveLeft(std::max(left, place.left()));
    spin->setGeometry(place);
    spin->fitLargestValue();
    return spin;
}

void nameForReaders(QWidget* control, std::string_view name) {
    control->setAccessibleName(qTr(name));
    if (qobject_cast<QComboBox*>(control) == nullptr)
        return;
    auto* label = new QLabel(qTr(name), control->parentWidget());
    label->adjustSize();
    label->hide();
    label->setBuddy(control);
}

int after(const QWidget* before, int gap) {
    return before->x() + before->width() + gap;
}

} // namespace ui
