// Puts the clock's frames on the screen straight from the drawing thread.
#pragma once

#include "velmora_export.h"

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QtGui/qwindowdefs.h>

// Qt shows a window's pixels through its backing store, which wakes the window's thread for
// each frame. A presenter takes the changed boxes of a frame to the window system itself, so
// frames drawn ahead show without waking it. One exists per kind of surface the clock can
// show on (an X11 window, a Wayland layer surface); where none fits, frames go through the
// backing store.
class VELMORA_EXPORT FramePresenter {
public:
    virtual ~FramePresenter() = default;

    // Whether it still shows into the native window of this id: Qt gives a window it
    // recreates a new one.
    virtual bool showsInto(WId window) const = 0;
    // An empty frame of the given size in pixels, in memory the window system reads itself
    // where it can; a null image where it cannot. It stays usable after the presenter has gone.
    virtual QImage createFrame(const QSize& pixels) = 0;
    // Shows the frame's pixels under the region (in the frame's pixels, which are the
    // surface's device pixels), scaled by the overall alpha (0 to 255). Called on the drawing
    // thread.
    virtual void present(const QImage& frame, const QRegion& pixels, int alpha) = 0;

protected:
    FramePresenter() = default;
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;
};
