#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <utility>
#include <vector>

class QDBusServiceWatcher;

namespace platform {

// Desktop notifications through org.freedesktop.Notifications on the session bus, which needs no
// tray. Each carries a "default" action: activating it emits clicked(). A call that no service
// answers is sent once more when the name appears on the bus, then given up without a word.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    void show(const QString& summary, const QString& body);

signals:
    void clicked();

private slots:
    void actionInvoked(uint id, const QString& action);

private:
    using Texts = std::pair<QString, QString>;
    void send(const Texts& texts, bool firstTry);
    void serviceAppeared();

    QSet<uint> shown_;
    std::vector<Texts> waiting_;
    QDBusServiceWatcher* watcher_;
};

} // namespace platform
