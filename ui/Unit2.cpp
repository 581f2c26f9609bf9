#include "Unit2.h"

#include "Fonts.h"

namespace ui {

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(programFont());
    setFixedSize(322, 194);
}

void TForm2::showCountdown() {
    if (isVisible()) {
        raise();
        return;
    }
    show();
}

} // namespace ui
