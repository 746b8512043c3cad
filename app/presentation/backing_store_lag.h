// What Qt's backing store of the clock's window lacks while frames go to the window directly.
#pragma once

#include <QRegion>

class QWidget;

// Qt's own copy of the window, as large as the frame, serves only what Qt paints itself:
// while frames go to the window directly it is given back, and Qt sizes it anew before it next
// paints (an exposure, the corner marks). Qt shows an exposed window from that copy, so the
// parts presented directly since are painted again first.
class BackingStoreLag {
public:
    // Frames went to the window directly over `logical` (the window's coordinates).
    void presentedDirectly(QWidget& window, const QRegion& logical);
    // Qt painted `logical` from the current frame.
    void painted(const QRegion& logical) { behind_ -= logical; }
    // The window was exposed: what the copy lacks is painted again.
    void exposed(QWidget& window);

private:
    // How detailed the record may grow; only ever repainted on an exposure, so a box around
    // it serves as well as its outline.
    static constexpr int kMaxRects = 16;
    QRegion behind_;
};
