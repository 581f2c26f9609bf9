#pragma once

#include "core/PowerPort.h"

#include <QObject>
#include <QString>
#include <QVariantList>

namespace platform {

// Power requests carried out through systemd-logind on the system bus. Forced variants make the
// same call; logind asks polkit whether inhibitors may be overridden. No privilege is prepared:
// logind decides by polkit.
class LogindPower : public QObject, public core::PowerPort {
    Q_OBJECT
public:
    explicit LogindPower(QObject* parent = nullptr);

    void prepare() override;
    void request(core::PowerAction action) override;

private:
    void logOff();
    // Sent without waiting: an error that arrives later is reported as a refusal.
    void callManager(const QString& method, const QVariantList& arguments);
};

} // namespace platform
