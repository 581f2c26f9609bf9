// A Qt program that shows the program's tray icon and does nothing else: the floor under the
// program's start figures in bench/peers.sh.
#include "ui/qt/TrayIcon.h"

#include <QApplication>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QSystemTrayIcon icon(ui::programIcon());
    icon.show();
    return QApplication::exec();
}
