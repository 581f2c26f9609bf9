#pragma once

#include "core/forms/SpinRule.h"

#include <QSpinBox>

namespace ui {

// A numeric field under the spin-field rule; unlike QSpinBox it lets the user type a value
// outside its range until the field is left.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(core::SpinRange range, QWidget* parent = nullptr);

    int minimum() const { return range_.minimum; }
    int maximum() const { return range_.maximum; }
    int value() const;
    void setValue(int value);
    void stepBy(int steps) override;
    // Widens the field, if need be, so that its largest value shows whole in the current font.
    void fitLargestValue();

signals:
    // Every change of the field's text: each keystroke, arrow and range correction.
    void changed();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    core::SpinRange range_;
};

} // namespace ui
