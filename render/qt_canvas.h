// The Canvas the clock draws through, painted with QPainter on a caller-owned QImage.
#pragma once

#include "clock/canvas.h"
#include "velmora_export.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <optional>

// An image made by QtCanvas: always Format_ARGB32_Premultiplied, never empty.
class QtCanvasImage : public CanvasImage {
public:
    explicit QtCanvasImage(QImage image, QSize natural = QSize(), bool costly = false)
        : image_(std::move(image)), natural_(natural.isValid() ? natural : image_.size()),
          costly_(costly) {}

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    bool costlyToMake() const override { return costly_; }
    int naturalWidth() const override { return natural_.width(); }
    int naturalHeight() const override { return natural_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
    QSize natural_;
    bool costly_;
};

// Paints in the target's pixels: a target carrying a device pixel ratio is not scaled again,
// because the caller already sized and placed everything for the ratio. The painter stays
// active on the target for the canvas' lifetime.
//
// A target may be a part of a larger frame, at an origin within it: everything is then placed
// in the frame's pixels, and only what falls into the part is drawn. A line is traced only as
// far as it can reach into the part, so drawing a small part of a frame costs little however
// long its hands are. The pixels of a part depend on the part: a frame drawn in parts is drawn
// in the same parts each time.
class VELMORA_EXPORT QtCanvas : public Canvas {
public:
    // Images are limited to this many pixels per side, so that a stored size cannot ask for
    // an unbounded allocation.
    static constexpr int kMaxImageSide = 16384;
    // Fonts above this em size draw nothing: glyph caches grow with the size.
    static constexpr double kMaxEmSize = 4096;

    explicit QtCanvas(QImage& target);
    // The target is the part at `origin` of a frame of `frame` pixels.
    QtCanvas(QImage& target, QPoint origin, QSize frame);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // The target is drawn anew from here on: cleared to transparent first.
    void clear();
    // Draws the part at `origin` of the frame from here on, in the state a new canvas starts
    // in, finishing the part before: one painter serves all the parts of a frame, as beginning
    // a painter costs more than drawing a hand's stretch of a small part.
    void setPart(QPoint origin);
    // Makes the target's pixels final (what clear() left is cleared), so that they may be
    // read while the canvas lives.
    void finishPart() { clearUncleared(); }

    void setSmoothingMode(std::int32_t mode) override;
    void setTextAntialias(bool on) override;

    void drawLine(const Pen& pen, PointF from, PointF to) override;
    void drawEllipse(const Pen& pen, const RectF& bounds) override;
    void drawArc(const Pen& pen, const RectF& bounds, float startDegrees,
                 float sweepDegrees) override;
    void drawImage(const CanvasImage& image, float x, float y) override;

    std::optional<SizeF> measureText(const FontSpec& font, std::u16string_view text) override;
    void drawText(const FontSpec& font, std::uint32_t argb, std::u16string_view text,
                  PointF topLeft) override;

    // Within the budget of BoundedImageDecoder; a larger image is kept scaled down into the
    // keep size, so that scaling it for a frame never needs a decode again.
    std::unique_ptr<CanvasImage> decodeImageData(std::span<const std::uint8_t> bytes) override;
    void setImageKeepSize(QSize size) { imageKeepSize_ = size; }
    // Whether a decode that took this long for this much declared work is worth keeping
    // beside its scaled copies rather than made again for another size.
    static bool decodeWorthKeeping(qint64 elapsedMs, std::int64_t pixelScans);
    std::unique_ptr<CanvasImage> scaleImage(const CanvasImage& image, int width,
                                            int height) override;
    // Shares the pixels, which Qt counts across threads.
    std::shared_ptr<const CanvasImage> keepImage(const CanvasImage& image) override;

private:
    // Texts are drawn with a font of this pixel size, scaled to their em size.
    static constexpr int kFontPixels = 100;

    struct CachedFont {
        FontSpec key; // the request without its size
        bool antialias = true;
        QFont font;
        QFontMetricsF metrics;
    };

    double strokeLimit() const;
    void strokeArc(const Pen& pen, QRectF bounds, double startDegrees, double sweepDegrees);
    void strokeArcDirect(const QPen& pen, const QRectF& bounds, double startDegrees,
                         double sweepDegrees);
    void fillLineWithCaps(const QColor& color, double width, QPointF from, QPointF to,
                          LineCap startCap, LineCap endCap, QPointF direction);
    const CachedFont* fontFor(const FontSpec& request);
    // Clears what clearAndClipTo() left to clear, but for the part an image replaces.
    void clearUncleared(const QRect& replaced = QRect());

    // The frame's pixels and the target's, in the coordinates drawn in: whatever the part,
    // every shape is laid out for the whole frame, so that its pixels come out the same.
    QRect frame_;
    QRect part_;
    double ratio_;
    QPainter painter_;
    bool textAntialias_ = true;
    QRegion uncleared_;
    std::optional<CachedFont> font_;
    // About the largest screen's size: a background is never shown larger than that.
    QSize imageKeepSize_{4096, 4096};
};
