#pragma once

#include "core/WindowsPowerApi.h"

#include <QObject>
#include <QString>
#include <QVariantList>

namespace platform {

// Power requests carried out through systemd-logind on the system bus. This is not Windows:
// the version query fails and the privilege calls fail harmlessly, so the exit and power-state
// calls are the ones used, each mapped to the logind call of the same meaning. Forced variants
// make the same call; logind asks polkit whether inhibitors may be overridden.
class LogindPower : public QObject, public core::WindowsPowerApi {
    Q_OBJECT
public:
    explicit LogindPower(QObject* parent = nullptr);

    bool getVersionEx(core::OsVersion& version) override;
    std::optional<std::uintptr_t> openProcessToken(std::uint32_t desiredAccess) override;
    std::optional<std::uint64_t> lookupPrivilegeValue(std::string_view name) override;
    void adjustTokenPrivileges(std::uintptr_t token, const core::TokenPrivileges& request) override;
    void exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
    void setSystemPowerState(bool suspend, bool force) override;
    // Linux has no Windows command interpreter: a command line is only reported.
    void winExec(std::string_view commandLine, std::uint32_t showMode) override;
    std::string commandInterpreter() override;
    void setSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override;

private:
    void logOff();
    // Sent without waiting: an error that arrives later is reported as a refusal.
    void callManager(const QString& method, const QVariantList& arguments);
};

} // namespace platform
