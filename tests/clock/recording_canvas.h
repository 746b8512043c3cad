// A canvas that records what is drawn, so geometry can be checked exactly.
#pragma once

#include "clock/canvas.h"

#include <vector>

class FakeImage : public CanvasImage {
public:
    FakeImage(int width, int height, bool costly = false)
        : width_(width), height_(height), costly_(costly) {
        ++alive;
    }
    ~FakeImage() override { --alive; }
    FakeImage(const FakeImage&) = delete;
    FakeImage& operator=(const FakeImage&) = delete;
    int width() const override { return width_; }
    int height() const override { return height_; }
    bool costlyToMake() const override { return costly_; }

    // Images in existence, to see which ones a body holds on to.
    inline static int alive = 0;

private:
    int width_;
    int height_;
    bool costly_;
};

class RecordingCanvas : public Canvas {
public:
    struct Line {
        Pen pen;
        PointF from, to;
    };
    struct Ellipse {
        Pen pen;
        RectF bounds;
    };
    struct Arc {
        Pen pen;
        RectF bounds;
        float start, sweep;
    };
    struct Image {
        int width, height;
        float x, y;
    };
    struct Text {
        FontSpec font;
        std::uint32_t argb;
        std::u16string text;
        PointF topLeft;
    };
    enum class Kind { Line, Ellipse, Arc, Image, Text };

    void setSmoothingMode(std::int32_t mode) override { smoothing = mode; }
    void setTextAntialias(bool on) override { textAntialias = on; }
    void drawLine(const Pen& pen, PointF from, PointF to) override {
        lines.push_back(Line{pen, from, to});
        order.push_back(Kind::Line);
    }
    void drawEllipse(const Pen& pen, const RectF& bounds) override {
        ellipses.push_back(Ellipse{pen, bounds});
        order.push_back(Kind::Ellipse);
    }
    void drawArc(const Pen& pen, const RectF& bounds, float start, float sweep) override {
        arcs.push_back(Arc{pen, bounds, start, sweep});
        order.push_back(Kind::Arc);
    }
    void drawImage(const CanvasImage& image, float x, float y) override {
        images.push_back(Image{image.width(), image.height(), x, y});
        order.push_back(Kind::Image);
    }
    std::optional<SizeF> measureText(const FontSpec& font, std::u16string_view text) override {
        if (font.emSize <= 0) {
            return std::nullopt;
        }
        // Every character as wide as half the em, the line as high as the em.
        return SizeF{static_cast<float>(text.size()) * font.emSize / 2, font.emSize};
    }
    void drawText(const FontSpec& font, std::uint32_t argb, std::u16string_view text,
                  PointF topLeft) override {
        texts.push_back(Text{font, argb, std::u16string(text), topLeft});
        order.push_back(Kind::Text);
    }
    std::unique_ptr<CanvasImage> decodeImageData(std::span<const std::uint8_t>) override {
        ++decodes;
        if (imageWidth <= 0 || imageHeight <= 0) {
            return nullptr;
        }
        return std::make_unique<FakeImage>(imageWidth, imageHeight, costlyDecodes);
    }
    std::unique_ptr<CanvasImage> scaleImage(const CanvasImage&, int width, int height) override {
        ++scales;
        return std::make_unique<FakeImage>(width, height);
    }

    void clear() {
        *this = RecordingCanvas{imageWidth, imageHeight, decodes, scales, costlyDecodes};
    }
    RecordingCanvas() = default;

    std::vector<Kind> order;
    std::vector<Line> lines;
    std::vector<Ellipse> ellipses;
    std::vector<Arc> arcs;
    std::vector<Image> images;
    std::vector<Text> texts;
    std::int32_t smoothing = -1;
    bool textAntialias = false;
    int imageWidth = 0;
    int imageHeight = 0;
    int decodes = 0;
    int scales = 0;
    // Whether the images decoded say they were slow to make.
    bool costlyDecodes = false;

private:
    RecordingCanvas(int width, int height, int decodeCount, int scaleCount, bool costly)
        : imageWidth(width), imageHeight(height), decodes(decodeCount), scales(scaleCount),
          costlyDecodes(costly) {}
};
