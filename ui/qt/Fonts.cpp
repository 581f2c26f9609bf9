#include "Fonts.h"

#include "Design.h"

#include <QStringList>

namespace ui {

QFont programFont() {
    QFont font;
    // Debian's IPA P Gothic has the designed face's metrics.
    const QStringList families{qText(core::design::kFontFace), "MS PGothic", "IPAPGothic",
                               "VL PGothic", "Noto Sans CJK JP"};
    font.setFamilies(families);
    font.setPixelSize(core::design::kFontHeight);
    return font;
}

} // namespace ui
