// LayerPlacement: the clock's place on a layer-shell surface, kept in the settings.
#pragma once

#include "model/settings_store.h"

#include <QList>
#include <QRect>
#include <string>
#include <string_view>

// On the layer shell no window system moves the clock, so its placement is simply what the
// user made it. It is kept under the same settings as the window's on X11, so the clock stays
// where it was when the desktop changes between X11, XWayland and the layer shell: the
// position in the compositor's logical coordinates spanning the outputs, which are XWayland's
// too.
class LayerPlacement {
public:
    LayerPlacement(SettingsStore& store, std::string_view name);

    // The stored placement brought onto the outputs' areas as usablePlacement does (the first
    // output is the primary); values not stored are taken from fallback.
    QRect restore(const QRect& fallback, const QList<QRect>& outputs, int cornerSize) const;
    // A placement the user made (the end of a drag or a corner resize, a size preset), saved
    // as one update.
    void save(const QRect& placement);

private:
    SettingsStore& store_;
    std::string name_;
};
