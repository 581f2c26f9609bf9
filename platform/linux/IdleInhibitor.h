#pragma once

#include "LogindBus.h"
#include "core/base/AwakePorts.h"

#include <QObject>
#include <QString>
#include <optional>

namespace platform {

// Keeps the machine out of its idle sleep: a logind inhibitor lock "idle" in mode "block", held
// by its file descriptor, and, where the desktop offers it, org.freedesktop.ScreenSaver.Inhibit
// on the session bus, as desktops run their own idle suspend. No "sleep" lock is taken, so the
// program's own standby and hibernation go through. The calls are sent without waiting; an answer
// that arrives after the release is given back at once. A lock held when the system bus came back
// is taken again on the new one.
class IdleInhibitor : public QObject, public core::IdleSleepBlock {
    Q_OBJECT
public:
    explicit IdleInhibitor(LogindBus& bus, QObject* parent = nullptr);
    ~IdleInhibitor() override;

    void hold() override;
    void release() override;

private:
    void takeLock(unsigned generation);
    void closeLock();
    void uninhibitScreenSaver();

    LogindBus& bus_;
    bool held_ = false;
    // Each hold has its number, so that a late answer to an earlier one is given back.
    unsigned generation_ = 0;
    int lockFd_ = -1;
    std::optional<uint> screenSaverCookie_;
};

} // namespace platform
