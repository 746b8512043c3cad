// On a layer surface, presses outside the program's open menus close them, as on X11.
#pragma once

#include <QObject>
#include <QRect>
#include <QRegion>
#include <functional>

class LayerClock;

// The menus (and any other popup, such as a combo box's list) run through XWayland beside the
// clock's layer surface; XWayland never hears a press on a Wayland surface, so the program
// asks the layer clock to catch those for as long as a popup is open. The popups are kept
// out, so presses on them reach them as before, and so is the clock when it is above the
// windows (below them, a hole there would let a press through to a window over it). Through
// Qt's Wayland platform the popups are Wayland windows whose places Qt does not know: nothing
// is caught then.
class MenuCatch : public QObject {
public:
    // clockArea gives the clock's place where it takes its own presses, or an empty one.
    MenuCatch(LayerClock& layer, std::function<QRect()> clockArea);
    ~MenuCatch() override;
    MenuCatch(const MenuCatch&) = delete;
    MenuCatch& operator=(const MenuCatch&) = delete;

    // What is kept out of the catching: the open popups' frames and the clock's area; empty
    // when no popup is open.
    static QRegion keptOut(const QRect& clockArea);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    LayerClock& layer_;
    std::function<QRect()> clockArea_;
    bool queued_ = false;
    bool catching_ = false;
};
