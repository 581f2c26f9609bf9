#include "X11DisplayPower.h"

#include "X11ErrorTrap.h"
#include "core/lang/Catalogue.h"

#include <QtGlobal>
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <memory>

namespace platform {

namespace {

using OpenDisplay = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

std::optional<std::string> refusalOf(Display* display) {
    // A Wayland session's X server serves only the programs that still speak X11.
    if (display == nullptr || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return core::tr(core::msg("画面をオフにできません: X11 の画面がありません。"));
    int event = 0;
    int error = 0;
    if (DPMSQueryExtension(display, &event, &error) == 0 || DPMSCapable(display) == 0)
        return core::tr(
            core::msg("画面をオフにできません: この画面は電源の操作 (DPMS) に対応していません。"));
    return std::nullopt;
}

} // namespace

std::optional<std::string> x11DisplayPowerRefusal() {
    const OpenDisplay display(XOpenDisplay(nullptr), &XCloseDisplay);
    return refusalOf(display.get());
}

std::optional<std::string> turnX11DisplaysOff() {
    const OpenDisplay display(XOpenDisplay(nullptr), &XCloseDisplay);
    if (auto refusal = refusalOf(display.get()))
        return refusal;
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
