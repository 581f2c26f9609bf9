#include "TrayIcon.h"

#include "Design.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <algorithm>

namespace ui {

namespace {

// Drawn at the size asked for, when it is asked for: a start that never shows a window paints
// only the tray's one size.
class ProgramIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        const qreal s = std::min(rect.width(), rect.height());
        painter->setPen(Qt::NoPen);
        painter->setBrush(qColour(core::design::kIconColour));
        painter->drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);
        QPen pen(Qt::white, s * 0.11, Qt::SolidLine, Qt::RoundCap);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        const QRectF ring(s * 0.25, s * 0.27, s * 0.5, s * 0.5);
        painter->drawArc(ring, 120 * 16, 300 * 16); // open at the top
        painter->drawLine(QPointF(s * 0.5, s * 0.18), QPointF(s * 0.5, s * 0.5));
        painter->restore();
    }
    QIconEngine* clone() const override { return new ProgramIconEngine; }
};

} // namespace

QIcon programIcon() {
    return QIcon(new ProgramIconEngine);
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

void TrayIcon::setTip(const QString& tip) {
    icon_->setToolTip(tip);
}

bool TrayIcon::isAdded() const {
    return icon_->isVisible();
}

bool TrayIcon::hostAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace ui
