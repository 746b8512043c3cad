// The clock shown in its own frameless window: on X11, and wherever no layer shell is offered.
#pragma once

#include "app/window/clock_surface.h"

#include <QTimer>
#include <memory>

class BackingStoreLag;
class ClockHost;
class DesktopBackdrop;
class QWidget;
class X11WidgetHints;

class WindowClockSurface final : public ClockSurface {
public:
    // The backdrop and the record of what Qt's copy of the window lacks are the window's, which
    // paints from them.
    WindowClockSurface(ClockHost& host, const DesktopBackdrop& backdrop, BackingStoreLag& lag);
    ~WindowClockSurface() override;

    void prepare() override;
    std::unique_ptr<FramePresenter> makePresenter() override;
    bool presentsHere(const FramePresenter& presenter) const override;
    void placeAtStart(CWindowAligner& aligner,
                      const std::function<QRect(const QRect& area)>& first) override;
    bool followsScreensItself() const override { return false; }
    void placeByUser(CWindowAligner& aligner, const QRect& target, bool done) override;
    bool applyView(const ViewSettings& view) override;
    void bringToFront() override;

    bool shown() const override;
    qreal frameRatio() const override;
    qreal refreshRate() const override;
    bool covered() const override;
    bool showsMarks() const override;
    bool setHovered(bool over) override;

    bool takesDirectFrames() const override;
    void presentedDirectly(const QRegion& drawn, const QRegion& ahead, qreal ratio) override;
    void showFrame(DirectPresentation::Parts& parts, const QImage& frame, const QRegion& pixels,
                   const QRegion& logical, int alpha) override;
    void repaintWhole() override;

    void setInputRegion(const QRegion& region) override;
    void takeNoInput() override;

private:
    // Whether the pointer over the window shows the corner marks, as it does for a dock.
    bool hoverShowsMarks() const;

    ClockHost& host_;
    QWidget& window_;
    const DesktopBackdrop& backdrop_;
    BackingStoreLag& lag_;
    // What the window manager is told to keep the window a desktop widget; null off X11.
    std::unique_ptr<X11WidgetHints> hints_;
    // Looks once, a while after the first showing, whether a window manager let it go by.
    QTimer showCheck_;
    bool shownOnce_ = false;
    // A dock is never the active window on some window managers (KWin): it shows the corner
    // marks, which make the corner squares of a round clock take the pointer, while the
    // pointer is over it.
    bool hovered_ = false;
};
