#include "Centring.h"

#include "core/Centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

QPoint centredPosition(QSize screen, QSize outer) {
    const core::Origin origin =
        core::centredOrigin(screen.width(), screen.height(), outer.width(), outer.height());
    return {origin.left, origin.top};
}

void centreOnPrimaryScreen(QWidget& window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // Before the first showing the frame is not known yet; the window's own size stands in.
    window.move(centredPosition(screen->geometry().size(), window.frameGeometry().size()));
}

} // namespace ui
