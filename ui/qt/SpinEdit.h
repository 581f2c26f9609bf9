#pragma once

#include <QSpinBox>

namespace ui {

// A numeric field that, unlike QSpinBox, lets the user type a value outside its range: the
// value is whatever integer the field holds (the minimum when it holds none) until the user
// leaves the field, which brings it into range. Values set by the program and the arrows stay
// within the range.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
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
    int minimum_;
    int maximum_;
};

} // namespace ui
