// Which surface shows the clock on this desktop, and on which of Qt's platforms.
#pragma once

#include <string>

// What the environment offers, gathered before Qt starts.
struct DesktopFacts {
    bool waylandDisplay = false;
    bool x11Display = false;
    // QT_QPA_PLATFORM as the user set it; empty when unset.
    std::string qtPlatform;
    // Asked only on a Wayland display.
    bool layerShell = false;
    std::string layerShellWhyNot;

    // From WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM, asking the compositor about the
    // layer shell where there is one.
    static DesktopFacts fromEnvironment();
};

struct DesktopChoice {
    enum class Surface {
        // A Qt window: X11, XWayland, or a platform the user chose (tests use offscreen).
        QtWindow,
        // The clock on a layer-shell surface; Qt's own windows (menu, dialogs) as qtPlatform.
        LayerShell,
        // Nothing that would show the clock properly: message says what to do.
        None,
    };
    Surface surface = Surface::QtWindow;
    // The value to give QT_QPA_PLATFORM before Qt starts; empty leaves it as it is.
    std::string qtPlatform;
    std::string message;
};

// A Wayland client window can neither place itself nor stay on top, and a tiling compositor
// tiles it: the clock takes the layer shell where the compositor offers it, else XWayland,
// and is never an ordinary Wayland window.
DesktopChoice chooseDesktop(const DesktopFacts& facts);
