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
    const QRect whole = screen->geometry();
    const QRect work = screen->availableGeometry();
    const core::Origin origin = core::placedOrigin(
        {whole.x(), whole.y(), whole.width(), whole.height()},
        {work.x(), work.y(), work.width(), work.height()}, outer.width(), outer.height());
    window.move(origin.left, origin.top);
}

} // namespace ui
