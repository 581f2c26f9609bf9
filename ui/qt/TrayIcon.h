#pragma once

#include <QObject>

class QSystemTrayIcon;

namespace ui {

// The program's icon in the notification area, with its tip. Where no tray host runs, adding it
// does nothing and the program goes on without it.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);

    void add();
    // Removing an icon that was never added, or is gone already, does nothing.
    void remove();
    bool isAdded() const;
    void setTip(const QString& tip);
    // A notification area exists on this desktop now.
    static bool hostAvailable();

signals:
    void leftButtonDown();

private:
    QSystemTrayIcon* icon_;
};

// The program's icon: a power symbol on a rounded square, drawn as data/brindlewhistmoore.svg is.
QIcon programIcon();

} // namespace ui
