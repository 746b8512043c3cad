// Where the clock shows: its own window, or a layer-shell surface beside that window, which
// then stays hidden and keeps only the clock's geometry. What differs between the two is here;
// the window draws its frames, shapes its input and keeps its settings the same on both.
#pragma once

#include "app/presentation/direct_presentation.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <functional>
#include <memory>

class CWindowAligner;
class FramePresenter;
struct ViewSettings;

class ClockSurface {
public:
    virtual ~ClockSurface() = default;

    // Makes what the surface needs before the first frame: its native window, its hints.
    virtual void prepare() = 0;
    // The presenter that shows frames on the surface past Qt.
    virtual std::unique_ptr<FramePresenter> makePresenter() = 0;
    // Whether a presenter still shows into this surface: a window made anew needs a new one.
    virtual bool presentsHere(const FramePresenter& presenter) const = 0;
    // Puts the clock at its stored place, or where `first` places it in the free area it is
    // given, and on the screen.
    virtual void placeAtStart(CWindowAligner& aligner,
                              const std::function<QRect(const QRect& area)>& first) = 0;
    // Whether the surface follows the screens itself, so the window need not keep it on them.
    virtual bool followsScreensItself() const = 0;
    // A move or resize of the user's; `done` at a drag's end or a size preset.
    virtual void placeByUser(CWindowAligner& aligner, const QRect& target, bool done) = 0;
    // Brings stacking, visibility and click-through in line with the view settings; whether
    // the clock is shown now and its input shape wants updating.
    virtual bool applyView(const ViewSettings& view) = 0;
    // Shows the clock above other windows, as a later launch asks.
    virtual void bringToFront() = 0;

    virtual bool shown() const = 0;
    // Frame pixels per logical pixel.
    virtual qreal frameRatio() const = 0;
    // The display's refresh rate in frames a second; 0 where it is not told.
    virtual qreal refreshRate() const = 0;
    // Whether the window system says the clock is covered or unmapped: nothing it draws shows.
    virtual bool covered() const = 0;
    // Whether the corner marks show: the user works with the clock, or the pointer is over it
    // where that counts.
    virtual bool showsMarks() const = 0;
    // The pointer came over the window or left it; whether the marks may have changed.
    virtual bool setHovered(bool over) = 0;

    // Whether frames can go to the surface past Qt now.
    virtual bool takesDirectFrames() const = 0;
    // Frames went past Qt: the pixels drawn now and those of the frames to come.
    virtual void presentedDirectly(const QRegion& drawn, const QRegion& ahead, qreal ratio) = 0;
    // Shows a frame drawn through Qt: its pixels that changed, and the same in logical ones.
    virtual void showFrame(DirectPresentation::Parts& parts, const QImage& frame,
                           const QRegion& pixels, const QRegion& logical, int alpha) = 0;
    // Shows the whole frame again, as after a change of the overall alpha.
    virtual void repaintWhole() = 0;

    // The logical pixels that take the pointer.
    virtual void setInputRegion(const QRegion& region) = 0;
    // Click-through: nothing takes the pointer.
    virtual void takeNoInput() = 0;
};
