#include "Fonts.h"

#include <QStringList>

namespace ui {

QFont programFont() {
    QFont font;
    const QStringList families{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "VL PGothic",
                               "Noto Sans CJK JP"};
    font.setFamilies(families);
    font.setPixelSize(12);
    return font;
}

} // namespace ui
