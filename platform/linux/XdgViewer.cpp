#include "XdgViewer.h"

#include "core/lang/Catalogue.h"

#include <QProcess>

namespace platform {

std::optional<std::string> XdgViewer::open(const std::string& path) {
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({QString::fromStdString(path)});
    // Detached: the viewer outlives nothing of ours and its end is never waited for.
    if (opener.startDetached())
        return std::nullopt;
    return core::tr("xdg-open を起動できません: ") + opener.errorString().toStdString();
}

} // namespace platform
