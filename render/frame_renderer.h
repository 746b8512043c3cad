// A clock's frame kept from one moment to the next, drawn again only where it changed.
#pragma once

#include "clock/clock.h"
#include "clock/draw_list.h"
#include "render/qt_canvas.h"
#include "render/raster_thread.h"

#include <QImage>
#include <QRegion>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

// Each frame is first recorded, which costs microseconds; the pixels of the commands that
// differ from the previous frame are then cleared and drawn again, clipped, on a thread of Qt's
// pool. The result is the same as drawing the whole frame, but a clock whose hands
// move draws the boxes around its hands each second rather than the whole window.
class FrameRenderer {
public:
    FrameRenderer();

    // Brings the frame up to the moment at the given size in pixels and pixel density, and
    // returns the pixels drawn again: empty when nothing changed, the whole frame for the
    // first frame, a new size or density, or after invalidate().
    QRegion render(Clock& clock, const QSize& pixels, qreal ratio,
                   const velmora::PackedDateTime& utc);
    // What is to become of the drawn pixels, done on the drawing thread right after them; it
    // may still draw over the frame within the pixels drawn again.
    using Finish = std::function<void(QImage& frame, const QRegion& redrawn)>;
    // As render(), but returns as soon as the drawing has begun; `finish` follows it on the
    // drawing thread. The caller then need not wake again when the frame is done.
    QRegion renderAndFinish(Clock& clock, const QSize& pixels, qreal ratio,
                            const velmora::PackedDateTime& utc, Finish finish);
    // A moment to come, at a time of the wall clock, and the time the clock then shows.
    struct Moment {
        std::chrono::system_clock::time_point at;
        velmora::PackedDateTime utc;
    };
    // Records now the frames of moments to come, in order, at the size and density of the
    // frame, and draws each at its moment on the drawing thread, followed by `finish`: the
    // thread wakes for them on its own, and the caller not at all. Each is drawn over the frame
    // drawn before it, so that a frame the thread cannot draw in time gives way to the next.
    // With a pacing interval (the display's refresh), each waits for the display's sign as
    // well (see setPacer) and is drawn for the refresh nearest its moment. Returns the pixels
    // they will draw again, all together; nothing, with nothing to come, before a first frame
    // or where the drawing happens on the caller's thread. Moments up to that of the frame
    // drawn ahead last are left out: the clock never steps back to them. The next settle() drops
    // those not yet drawn, as does any render.
    std::optional<QRegion>
    renderAhead(Clock& clock, std::span<const Moment> moments, Finish finish,
                std::chrono::nanoseconds pacing = std::chrono::nanoseconds(0));
    // How frames drawn ahead with a pacing interval learn that the display is ready: `ask` is
    // called on the drawing thread when such a frame is due, and displayReady() is to follow
    // once the display is ready for a frame. Null: they follow their moments alone.
    void setPacer(std::function<void()> ask) { rasterThread_.setPacer(std::move(ask)); }
    // The display is ready for the next frame; from any thread.
    void displayReady() { rasterThread_.displayReady(); }
    // Decodes and scales the clock's background for a frame of this many pixels, before any
    // frame is drawn.
    void prepareBackground(Clock& clock, const QSize& pixels);
    // Told on the settling thread when settle() drops frames renderAhead() left to come.
    void setAheadDropped(std::function<void()> dropped) { aheadDropped_ = std::move(dropped); }
    // Makes the frames from here on, for memory that others read too; a null image it returns
    // stands for "make it plainly".
    using Allocate = std::function<QImage(const QSize& pixels)>;
    void setAllocator(Allocate allocate) { allocate_ = std::move(allocate); }
    // Images decoded for the frames are kept at most this large: about the screen's size.
    void setImageKeepSize(QSize pixels) { measurer_.setImageKeepSize(pixels); }
    // Returns when the drawing that renderAndFinish() left running is done, dropping the
    // frames renderAhead() left to come.
    void settle() const;
    // How long a frame takes: recording the last one on the caller's thread, and drawing the
    // last one the drawing thread finished.
    std::chrono::nanoseconds frameCost() const {
        return recordCost_ + std::chrono::nanoseconds(drawCost_.load());
    }
    // Stops the drawing under way at its next tile, unfinished, and drops the frames to come:
    // for a window that goes, which a frame of a large scheme would keep waiting. The next
    // render() draws the whole frame.
    void abandon();
    // Whether frames follow one another quickly (a clock that moves continuously): the frame
    // as it stands under the commands that change at nearly every frame is then kept in a
    // second image, the underlay, and a changed tile starts from it instead of drawing the
    // background and everything else beneath anew. Off, the underlay's memory is given back
    // with the next frame.
    void setKeepUnderlay(bool keep);
    // How many of the recording's commands the underlay holds: 0 without one. Settled first.
    std::size_t underlayCommands() const {
        settle();
        return underCount_;
    }
    // Whether the frame is drawn whole at this size and density, so that frames drawn ahead
    // may follow it. Settled first.
    bool holds(const QSize& pixels, qreal ratio) const {
        settle();
        return drawn_.has_value() && frame_.size() == pixels && frame_.devicePixelRatio() == ratio;
    }
    // The next render() draws the whole frame: for when the caller drew over it.
    void invalidate() {
        settle();
        drawn_.reset();
    }
    // The frame, in premultiplied ARGB carrying its pixel density; null before the first
    // render() or when it could not be allocated. Settled first.
    QImage& frame() {
        settle();
        return frame_;
    }
    const QImage& frame() const {
        settle();
        return frame_;
    }

private:
    QRegion draw(Clock& clock, const QSize& pixels, qreal ratio, const velmora::PackedDateTime& utc,
                 Finish finish);

    QImage newFrame(const QSize& pixels) const;
    // The frame is drawn in square tiles of this side, each a part of one canvas, which
    // traces a hand only as far as it reaches into the tile: a thin strip changed across the
    // frame costs the tiles it crosses, not the whole of every hand it meets. A tile is always
    // drawn whole and alike, so that its pixels are those of a whole frame drawn anew.
    static constexpr int kTileSide = 64;
    // Draws the tiles the region reaches into anew from the recording, which follows the
    // previous one (null: none), on the drawing thread; false when abandon() stopped it.
    bool replay(const DrawList& list, const DrawList* previous, const PixelRegion& region);
    // The underlay holds the frame as the first underCount_ commands draw it; these are chosen
    // anew after each window of this many frames, from the first command each of them changed.
    static constexpr std::size_t kUnderlayWindow = 16;
    // Decides which commands the underlay holds for this frame and returns where it is to be
    // drawn again: where those commands changed, or everywhere when it is made anew.
    PixelRegion planUnderlay(const DrawList& list, const DrawList* previous);
    // Draws the changed parts of one tile from the underlay, drawing the underlay's part of the
    // tile again first where it changed, then the commands above it.
    void drawOverUnderlay(QtCanvas& canvas, const DrawList& list,
                          const DrawList::Commands& commands, const PixelBox& tile,
                          const std::vector<PixelBox>& underParts,
                          const std::vector<PixelBox>& parts);
    // A frame recorded ahead, with the pixels it changes over the frame recorded before it.
    struct Ahead {
        DrawList list;
        std::uint64_t id;
        std::uint64_t previousId;
        PixelRegion region;
        std::chrono::system_clock::time_point at;
    };
    // Draws a frame recorded ahead over the frame drawn before it, which is the one recorded
    // before it unless the thread fell behind, then finishes it; on the drawing thread.
    void drawOver(Ahead& ahead, const Finish& finish);

    QImage frame_;
    // One tile, drawn before its changed pixels go into the frame.
    QImage tile_;
    Allocate allocate_;
    // Measures texts and scales images for the recordings, with a font cache that outlives
    // the frames.
    QImage measureTarget_;
    QtCanvas measurer_;
    std::optional<DrawList> drawn_;
    // The recording drawn_ replaced, while the drawing thread compares the two.
    std::optional<DrawList> replaced_;
    // Written on the window's thread only while nothing is drawn; the rest of the underlay's
    // state is the drawing thread's.
    bool keepUnderlay_ = false;
    QImage under_;
    std::size_t underCount_ = 0;
    std::array<std::size_t, kUnderlayWindow> windowFirsts_{};
    std::size_t windowFrames_ = 0;
    // The moment of the frame drawn ahead last; none after a frame drawn at once.
    std::chrono::system_clock::time_point drawnAt_{};
    // Tells recordings apart, so that a frame drawn ahead knows what it was compared with.
    std::uint64_t drawnId_ = 0;
    std::uint64_t lastId_ = 0;
    std::chrono::nanoseconds recordCost_{0};
    // Written by the drawing thread.
    std::atomic<std::chrono::nanoseconds::rep> drawCost_{0};
    // Read by the drawing thread between tiles.
    std::atomic<bool> abandoning_{false};
    mutable RasterThread rasterThread_;
    std::function<void()> aheadDropped_;
};
