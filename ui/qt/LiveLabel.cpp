#include "LiveLabel.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

QAccessibleInterface* liveLabelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LiveLabel::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

LiveLabel::LiveLabel(QWidget* parent) : QLabel(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(liveLabelAccessible);
        return true;
    }();
    (void)installed;
}

void LiveLabel::announce(const QString& text) {
    setAccessibleName(text);
    // A reader says a notification as it becomes showing; hidden and shown within one pass of the
    // event loop, it does not flicker.
    if (isVisible()) {
        hide();
        show();
    }
}

} // namespace ui
