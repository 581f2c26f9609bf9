#include "Centring.h"

#include "core/forms/Centring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

void centreOnPrimaryScreen(QWidget& window) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    // Before the first showing the frame is not known yet; the window's own size stands in.
    const QSize outer = window.frameGeometry().size();
    const core::Origin origin = core::centredOrigin(
        screen->geometry().width(), screen->geometry().height(), outer.width(), outer.height());
    window.move(origin.left, origin.top);
}

} // namespace ui
