#include "X11DisplayPower.h"

#include "X11ErrorTrap.h"
#include "core/lang/Catalogue.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <memory>

namespace platform {

std::optional<std::string> turnX11DisplaysOff() {
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                     &XCloseDisplay);
    if (!display)
        return core::tr(core::msg("画面をオフにできません: X11 の画面がありません。"));
    int event = 0;
    int error = 0;
    if (DPMSQueryExtension(display.get(), &event, &error) == 0 || DPMSCapable(display.get()) == 0)
        return core::tr(
            core::msg("画面をオフにできません: この画面は電源の操作 (DPMS) に対応していません。"));
    // A server with DPMS switched off takes no level: switched on first, as xset does.
    CARD16 level = 0;
    BOOL enabled = 0;
    DPMSInfo(display.get(), &level, &enabled);
    const X11ErrorTrap trap;
    if (enabled == 0)
        DPMSEnable(display.get());
    DPMSForceLevel(display.get(), DPMSModeOff);
    if (trap.refused(display.get()))
        return core::tr(core::msg("画面をオフにできません: X サーバーが断りました。"));
    return std::nullopt;
}

} // namespace platform
