#include "ReaderRole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace ui {

namespace {

constexpr const char* kRoleProperty = "readerRole";

QAccessibleInterface* roleAccessible(const QString&, QObject* object) {
    if (!object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object),
                                 static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void setReaderRole(QWidget& widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(roleAccessible);
        return true;
    }();
    (void)installed;
    widget.setProperty(kRoleProperty, static_cast<int>(role));
}

} // namespace ui
