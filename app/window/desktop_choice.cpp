// Which surface shows the clock on this desktop, and on which of Qt's platforms.
#include "app/window/desktop_choice.h"

#include "app/window/layer_clock.h"

#include <cstdlib>

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

DesktopFacts DesktopFacts::fromEnvironment() {
    DesktopFacts facts;
    facts.waylandDisplay = isSet("WAYLAND_DISPLAY");
    facts.x11Display = isSet("DISPLAY");
    if (const char* platform = std::getenv("QT_QPA_PLATFORM")) {
        facts.qtPlatform = platform;
    }
    const bool mayUseWayland = facts.qtPlatform.empty() || facts.qtPlatform.starts_with("wayland");
    if (facts.waylandDisplay && mayUseWayland) {
        facts.layerShell = LayerClock::offered(facts.layerShellWhyNot);
    }
    return facts;
}

DesktopChoice chooseDesktop(const DesktopFacts& facts) {
    DesktopChoice choice;
    const bool userWantsWayland = facts.qtPlatform.starts_with("wayland");
    // Any other platform the user names (xcb, offscreen) is taken as it is.
    if (!facts.qtPlatform.empty() && !userWantsWayland) {
        return choice;
    }
    if (!facts.waylandDisplay) {
        if (!facts.x11Display && facts.qtPlatform.empty()) {
            choice.surface = DesktopChoice::Surface::None;
            choice.message = "no desktop to show the clock on: neither DISPLAY (X11) nor "
                             "WAYLAND_DISPLAY (Wayland) is set";
        }
        return choice;
    }
    if (facts.layerShell) {
        choice.surface = DesktopChoice::Surface::LayerShell;
        // The menu and dialogs go through XWayland where it runs: there a menu opens where
        // it is asked to. The user's own choice of Wayland stands.
        if (facts.x11Display && !userWantsWayland) {
            choice.qtPlatform = "xcb";
        }
        return choice;
    }
    if (facts.x11Display) {
        // An ordinary Wayland window would be centred or tiled: XWayland places it.
        choice.qtPlatform = "xcb";
        return choice;
    }
    choice.surface = DesktopChoice::Surface::None;
    choice.message = facts.layerShellWhyNot +
                     ", and XWayland is not running (DISPLAY is unset): start the desktop "
                     "with XWayland, or use a compositor that offers the layer shell (sway, "
                     "Hyprland, river, labwc, KDE Plasma 6)";
    return choice;
}
