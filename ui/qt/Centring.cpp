#include "Centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

QPoint centredPosition(QSize screen, QSize outer) {
    return {screen.width() / 2 - outer.width() / 2, screen.height() / 2 - outer.height() / 2};
}

void centreOnPrimaryScreen(QWidget& window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // Before the first showing the frame is not known yet; the window's own size stands in.
    window.move(centredPosition(screen->geometry().size(), window.frameGeometry().size()));
}

} // namespace ui
