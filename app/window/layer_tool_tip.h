// The clock's tooltip on a layer surface, where Qt hears no pointer resting on the clock.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class QWidget;

// The layer clock tells when the pointer comes over the clock and leaves it; after it has
// rested there as long as the style's tooltips wait, the tooltip the window shows on X11 opens
// just below the clock's place, or above it where the screen ends (the clock on the layer
// above the windows would cover anything over it). It closes when the pointer leaves, when
// the clock is dragged, and after a while by itself. It runs through XWayland beside the
// menus: through Qt's Wayland platform a tooltip has no window of the program's to be placed
// against, and none is shown.
class LayerToolTip : public QObject {
public:
    // clock: the hidden window keeping the clock's place; text: the tooltip's text, worked out
    // when it opens.
    LayerToolTip(QWidget& clock, std::function<QString()> text);
    ~LayerToolTip() override;
    LayerToolTip(const LayerToolTip&) = delete;
    LayerToolTip& operator=(const LayerToolTip&) = delete;

    void hover(bool over);
    // Closes it, or keeps it from opening, until the pointer comes over the clock again.
    void close();
    // The tooltip's window while it shows, else null.
    QWidget* window() const;

private:
    void show();

    QWidget& clock_;
    std::function<QString()> text_;
    QTimer wait_;
    // Running from the opening for a moment, and for as long as it stays open.
    QTimer opened_;
    QTimer shown_;
    std::unique_ptr<QLabel> label_;
};
