#include "TrayIcon.h"

#include "Design.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace ui {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        painter.setPen(Qt::NoPen);
        painter.setBrush(qColour(core::design::kIconColour));
        painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);
        QPen pen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRectF ring(s * 0.25, s * 0.27, s * 0.5, s * 0.5);
        painter.drawArc(ring, 120 * 16, 300 * 16); // open at the top
        painter.drawLine(QPointF(s * 0.5, s * 0.18), QPointF(s * 0.5, s * 0.5));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), icon_(new QSystemTrayIcon(this)) {
    icon_->setIcon(programIcon());
    icon_->setToolTip(qText(core::design::kProductName));
    // No context menu is set: the right button does nothing, the left one opens the menu.
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            emit leftButtonDown();
    });
}

void TrayIcon::add() {
    // Shown also without a tray host: the icon appears if one starts later.
    icon_->show();
}

void TrayIcon::remove() {
    icon_->hide();
}

bool TrayIcon::isAdded() const {
    return icon_->isVisible();
}

bool TrayIcon::hostAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace ui
