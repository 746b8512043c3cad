// Changed parts of the clock's frame put straight into its X window.
#pragma once

#include "app/presentation/frame_presenter.h"
#include "app/x11/x11_present_pacer.h"

#include <QImage>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <vector>

class QWidget;
struct xcb_connection_t;

// Qt shows a widget's pixels through its backing store, and on X11 each paint waits for the
// server (a round trip) before it reuses the shared image: a wake-up of the program and of
// Qt's event thread every second, for a few small boxes around the hands. This puts those
// boxes into the window with one PutImage each on Qt's own connection, in the order of Qt's
// requests and with no reply to wait for. The backing store keeps older pixels there, so the
// window must be repainted through Qt when it is exposed.
//
// Where the server can read the program's memory (MIT-SHM with passed file descriptors), the
// frame itself is made in memory shared with it, and a box is put with a request of a few
// bytes instead of its pixels. Nothing waits for the server to have read them: each frame is
// drawn at the same place in that memory, and a box drawn again is also put again, so a box
// the server reads late shows pixels as new or newer, and the next request makes it whole.
class X11FramePresenter : public FramePresenter {
public:
    // For a native top-level window on X11 whose visual takes the frame's pixels as they are
    // (32 bits a pixel, least significant byte first); null elsewhere (other platforms, the
    // offscreen platform, an unusual visual).
    static std::unique_ptr<X11FramePresenter> forWindow(QWidget& window);
    ~X11FramePresenter() override;

    bool showsInto(WId window) const override { return window == window_; }
    QImage createFrame(const QSize& pixels) override;
    // Each rectangle of the region is a request of its own, so that the server, and a
    // compositor watching the window's damage, handle only those pixels.
    void present(const QImage& frame, const QRegion& pixels, int alpha) override;
    // Paced by the Present extension's notices, where the server has it.
    bool pacesFrames() const override { return canPace_; }
    void requestReady() override;

    // The rows of one rectangle of the frame, packed as PutImage wants them (no padding between
    // rows) and scaled by the overall alpha; exposed for tests.
    static void packRows(const QImage& frame, const QRect& rect, int alpha,
                         std::vector<std::uint32_t>& out);
    // How many rows of a given width fit into one request of at most maxRequestBytes.
    static int rowsPerRequest(int width, std::uint64_t maxRequestBytes);

private:
    struct SharedSegment;

    X11FramePresenter(xcb_connection_t* connection, std::uint32_t window, std::uint8_t depth,
                      std::uint64_t maxRequestBytes, bool canShare, bool canPace);
    bool presentShared(const QImage& frame, const QRegion& pixels);

    xcb_connection_t* connection_;
    std::uint32_t window_;
    std::uint32_t gc_ = 0;
    std::uint8_t depth_;
    std::uint64_t maxRequestBytes_;
    std::vector<std::uint32_t> rows_;
    bool canShare_;
    // The memory of the frame made last; it goes with the last copy of that frame.
    std::weak_ptr<SharedSegment> shared_;
    bool canPace_;
    // Made at the first frame paced, so that a clock that never moves smoothly has no
    // connection and thread for it; the drawing thread's, like the presenter.
    std::unique_ptr<X11PresentPacer> pacer_;
};
