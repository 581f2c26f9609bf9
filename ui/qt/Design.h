#pragma once

#include "core/forms/FormDesign.h"
#include "core/lang/Catalogue.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <string_view>

class QLabel;
class QPushButton;
class QWidget;

namespace ui {

class SpinEdit;

// The shared window description in Qt's types.
inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the window description, in the language in use.
inline QString qTr(std::string_view text) {
    return QString::fromStdString(core::tr(text));
}

// A place of the window description, as wide as the language in use wants it.
inline QRect qRect(core::design::Rect designed) {
    const core::design::Rect place = core::design::widened(designed);
    return {place.left, place.top, place.width, place.height};
}

inline QColor qColour(core::design::Colour colour) {
    return {colour.red, colour.green, colour.blue};
}

// Draws the label's text in the colour.
void paintText(QLabel* label, core::design::Colour colour);

// A label as wide as its text, at its place or, when further right, at `left`.
QLabel* makeLabel(QWidget* parent, const core::design::Control& design, int left = -1);
QPushButton* makeButton(QWidget* parent, const core::design::Control& design);
// A spin field as wide as its largest value needs, at its place or, when further right, at
// `left`.
SpinEdit* makeSpin(QWidget* parent, const core::design::Spin& design, int left = -1);
// Names a control without a caption of its own for a screen reader. A combo box is named on this
// system by the label that is its buddy, its own name being its value: it gets an unseen one.
void nameForReaders(QWidget* control, std::string_view name);
// The left edge for a control that follows `before` with the given gap.
int after(const QWidget* before, int gap);

} // namespace ui
