#pragma once

#include "core/FormDesign.h"

#include <QRect>
#include <QString>
#include <string_view>

namespace ui {

// The shared window description in Qt's types.
inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QRect qRect(core::design::Rect place) {
    return {place.left, place.top, place.width, place.height};
}

} // namespace ui
