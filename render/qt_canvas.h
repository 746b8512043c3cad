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
class VELMORA_EXPORT QtCanvas : public Canvas {
public:
    // Images are limited to this many pixels per side, so that a stored size cannot ask for
    // an unbounded allocation.
    static constexpr int kMaxImageSide = 16384;
    // Fonts above this em size draw nothing: glyph caches grow with the size.
    static constexpr double kMaxEmSize = 4096;

    explicit QtCanvas(QImage& target);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // From here on only the area, in the target's pixels, is drawn; it is cleared to
    // transparent first. For redrawing part of a frame.
    void clearAndClipTo(const QRegion& area);

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

    QImage& target_;
    QPainter painter_;
    bool textAntialias_ = true;
    QRegion uncleared_;
    std::optional<CachedFont> font_;
    // About the largest screen's size: a background is never shown larger than that.
    QSize imageKeepSize_{4096, 4096};
};
