// Pixel tests of the Qt canvas: lines and caps, arcs, images, text, absurd input and HiDPI.
#include "model/font_family_list.h"
#include "render/font_families.h"
#include "render/qt_canvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Fonts need a QGuiApplication; the tests run headless.
class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[12] = "render-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new GuiEnvironment);

QImage blank(int width = 100, int height = 100) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

int alphaAt(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y));
}

struct Survey {
    int painted = 0;
    int maxAlpha = 0;
    bool partial = false; // some pixel neither clear nor opaque
    QRect ink;
};

Survey survey(const QImage& image) {
    Survey result;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = alphaAt(image, x, y);
            result.painted += alpha > 0;
            result.maxAlpha = std::max(result.maxAlpha, alpha);
            result.partial |= alpha > 0 && alpha < 255;
            result.ink |= alpha > 0 ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return result;
}

int paintedCount(const QImage& image) {
    return survey(image).painted;
}

constexpr float kHugeWidth = 2147483647.0f;

Pen pen(float width, LineCap start = LineCap::Flat, LineCap end = LineCap::Flat,
        std::uint32_t argb = 0xFF000000) {
    return Pen{argb, width, start, end};
}

TEST(QtCanvasLine, NegativeWidthDrawsLikeItsAbsoluteValue) {
    QImage positive = blank();
    QImage negative = blank();
    QtCanvas(positive).drawLine(pen(7, LineCap::Round, LineCap::ArrowAnchor), {20, 30}, {70, 60});
    QtCanvas(negative).drawLine(pen(-7, LineCap::Round, LineCap::ArrowAnchor), {20, 30}, {70, 60});
    EXPECT_EQ(positive, negative);
}

TEST(QtCanvasLine, ZeroWidthIsTheThinnestLine) {
    QImage image = blank();
    QtCanvas(image).drawLine(pen(0), {10.5f, 50.5f}, {90.5f, 50.5f});
    EXPECT_GT(alphaAt(image, 50, 50), 0);
    EXPECT_EQ(alphaAt(image, 50, 48), 0);
    EXPECT_EQ(alphaAt(image, 50, 52), 0);
}

// Probes around a line end, in pixels along (d) and across (n) the line, the end point being
// a pixel centre. The line is 10 wide; anchors span 20.
struct Probe {
    int along;
    int across;
};
constexpr Probe kProbes[] = {{-3, 0}, {3, 0}, {8, 0}, {4, 4}, {3, 3}, {-1, 7}, {-8, 8}};

struct CapRow {
    const char* name;
    LineCap cap;
    int expected[std::size(kProbes)]; // 1 painted, 0 clear, -1 partly covered
};

class QtCanvasCap : public testing::TestWithParam<CapRow> {};

TEST_P(QtCanvasCap, PaintsItsShapeAtEitherEnd) {
    const CapRow& row = GetParam();
    QImage image = blank();
    QtCanvas(image).drawLine(pen(10, row.cap, row.cap), {30.5f, 50.5f}, {70.5f, 50.5f});
    for (int end = 0; end < 2; ++end) {
        const int x0 = end == 0 ? 30 : 70;
        const int dx = end == 0 ? -1 : 1;
        for (std::size_t i = 0; i < std::size(kProbes); ++i) {
            const int alpha = alphaAt(image, x0 + dx * kProbes[i].along, 50 + kProbes[i].across);
            SCOPED_TRACE(testing::Message() << "end " << end << " probe " << i);
            if (row.expected[i] == 1) {
                EXPECT_GE(alpha, 160);
            } else if (row.expected[i] == 0) {
                EXPECT_LE(alpha, 60);
            } else {
                // The shape's edge crosses the pixel.
                EXPECT_GT(alpha, 0);
                EXPECT_LT(alpha, 255);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllCaps, QtCanvasCap,
    testing::Values(CapRow{"Flat", LineCap::Flat, {1, 0, 0, 0, 0, 0, 0}},
                    CapRow{"Square", LineCap::Square, {1, 1, 0, 1, 1, 0, 0}},
                    CapRow{"Round", LineCap::Round, {1, 1, 0, 0, 1, 0, 0}},
                    CapRow{"Triangle", LineCap::Triangle, {1, 1, 0, 0, 0, 0, 0}},
                    CapRow{"NoAnchor", LineCap::NoAnchor, {1, 0, 0, 0, 0, 0, 0}},
                    CapRow{"SquareAnchor", LineCap::SquareAnchor, {1, 1, 1, 1, 1, 1, 1}},
                    CapRow{"RoundAnchor", LineCap::RoundAnchor, {1, 1, 1, 1, 1, 1, 0}},
                    CapRow{"DiamondAnchor", LineCap::DiamondAnchor, {1, 1, 1, 1, 1, 1, 0}},
                    CapRow{"ArrowAnchor", LineCap::ArrowAnchor, {1, 1, 1, 0, -1, 0, 1}},
                    CapRow{"UnknownValue", static_cast<LineCap>(7), {1, 0, 0, 0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtCanvasLine, TranslucentLineAndCapsBlendOnce) {
    const std::pair<LineCap, LineCap> caps[] = {{LineCap::RoundAnchor, LineCap::ArrowAnchor},
                                                {LineCap::SquareAnchor, LineCap::DiamondAnchor},
                                                {LineCap::Triangle, LineCap::Square},
                                                {LineCap::Round, LineCap::Round}};
    for (const auto& [start, end] : caps) {
        QImage image = blank();
        QtCanvas(image).drawLine(pen(10, start, end, 0x80FF0000), {30, 40}, {70, 60});
        EXPECT_EQ(alphaAt(image, 70, 60), 128);
        EXPECT_LE(survey(image).maxAlpha, 129);
    }
}

TEST(QtCanvasLine, LineOfNoLengthStillShowsItsCaps) {
    QImage dot = blank();
    QtCanvas(dot).drawLine(pen(15, LineCap::RoundAnchor, LineCap::RoundAnchor), {50, 50}, {50, 50});
    EXPECT_EQ(alphaAt(dot, 50, 50), 255);
    QImage flat = blank();
    QtCanvas(flat).drawLine(pen(15), {50, 50}, {50, 50});
    EXPECT_EQ(paintedCount(flat), 0);
}

TEST(QtCanvasLine, ADotIsOneDiscWithAnAntialiasedRim) {
    for (const LineCap cap : {LineCap::Round, LineCap::RoundAnchor}) {
        QImage dot = blank();
        QtCanvas(dot).drawLine(pen(15, cap, cap), {50.3f, 49.6f}, {50.3f, 49.6f});
        QImage disc = blank();
        {
            QPainter painter(&disc);
            painter.setRenderHint(QPainter::Antialiasing);
            QPainterPath path;
            const double radius = cap == LineCap::Round ? 7.5 : 15;
            path.addEllipse(QPointF(50.3, 49.6), radius, radius);
            painter.fillPath(path, QColor(0xFF000000u));
        }
        EXPECT_EQ(dot, disc);
        EXPECT_TRUE(survey(dot).partial);
    }
}

TEST(QtCanvas, SmoothingModeOneAloneDrawsAliased) {
    for (const std::int32_t mode : {1, 2, 0, 3, INT_MIN, INT_MAX}) {
        QImage image = blank();
        QtCanvas canvas(image);
        canvas.setSmoothingMode(mode);
        canvas.drawLine(pen(3), {10, 10}, {90, 37});
        EXPECT_EQ(survey(image).partial, mode != 1) << "mode " << mode;
    }
}

// A band 100 wide along the circle of radius 50 around (100, 100): the default slice's pie.
struct ArcRow {
    const char* name;
    RectF bounds;
    float width;
    float start;
    float sweep;
    bool quadrants[4]; // top right, bottom right, bottom left, top left
};

class QtCanvasArc : public testing::TestWithParam<ArcRow> {};

TEST_P(QtCanvasArc, RunsClockwiseFromTheXAxis) {
    const ArcRow& row = GetParam();
    QImage image = blank(200, 200);
    QtCanvas(image).drawArc(pen(row.width), row.bounds, row.start, row.sweep);
    const int probes[4][2] = {{140, 60}, {140, 140}, {60, 140}, {60, 60}};
    for (int q = 0; q < 4; ++q) {
        EXPECT_EQ(alphaAt(image, probes[q][0], probes[q][1]), row.quadrants[q] ? 255 : 0)
            << "quadrant " << q;
    }
}

constexpr RectF kRing{50, 50, 100, 100};
INSTANTIATE_TEST_SUITE_P(
    Sweeps, QtCanvasArc,
    testing::Values(ArcRow{"QuarterFromTwelve", kRing, 100, -90, 90, {1, 0, 0, 0}},
                    ArcRow{"BackwardsFromTwelve", kRing, 100, -90, -90, {0, 0, 0, 1}},
                    ArcRow{"CountDownFromThree", kRing, 100, 0, 270, {0, 1, 1, 1}},
                    ArcRow{"FullTurn", kRing, 100, -90, 360, {1, 1, 1, 1}},
                    ArcRow{"TwoTurns", kRing, 100, 0, 720, {1, 1, 1, 1}},
                    ArcRow{"NoSweep", kRing, 100, -90, 0, {0, 0, 0, 0}},
                    ArcRow{"NegativeBand", kRing, -100, -90, 90, {1, 0, 0, 0}},
                    ArcRow{"StartBeyondOneTurn", kRing, 100, 630, 90, {1, 0, 0, 0}},
                    ArcRow{"MirroredBounds", {150, 150, -100, -100}, 100, -90, 90, {0, 0, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// A pen wider than the image on a small ring: the band is cut down to reach from the centre to
// past the corners, a quarter pie with nothing beyond the centre on the other side.
TEST(QtCanvasArc, AHugePenOnASmallRingIsAPieFromTheCentre) {
    QImage image = blank(200, 200);
    QtCanvas(image).drawArc(pen(kHugeWidth), {50, 50, 100, 100}, -90, 90);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= 100 && y <= 98;
            const bool outside = x <= 98 || y >= 101;
            if (inside) {
                ASSERT_EQ(alphaAt(image, x, y), 255) << x << "," << y;
            } else if (outside) {
                ASSERT_EQ(alphaAt(image, x, y), 0) << x << "," << y;
            }
        }
    }
}

// A whole turn, from any start, is the closed ellipse: no seam where a path would begin.
TEST(QtCanvasArc, AWholeTurnIsTheClosedEllipse) {
    QImage expected = blank(200, 200);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 0, 0), 7, Qt::SolidLine, Qt::FlatCap));
        painter.drawEllipse(QRectF(30, 50, 140, 100));
    }
    for (const float start : {-90.0f, 0.0f, 37.0f}) {
        for (const float sweep : {360.0f, -360.0f}) {
            QImage image = blank(200, 200);
            QtCanvas(image).drawArc(pen(7), {30, 50, 140, 100}, start, sweep);
            EXPECT_EQ(image, expected) << start << " " << sweep;
        }
    }
}

TEST(QtCanvasArc, AnglesOnAnEllipseAreDirectionsFromItsCentre) {
    QImage image = blank(200, 200);
    QtCanvas(image).drawArc(pen(12), {0, 50, 200, 100}, 0, 45);
    // The ellipse's points at 35 and 55 degrees from the centre.
    EXPECT_EQ(alphaAt(image, 158, 140), 255);
    EXPECT_EQ(alphaAt(image, 133, 147), 0);
}

TEST(QtCanvas, EllipseIsAnOutline) {
    QImage image = blank();
    QtCanvas(image).drawEllipse(pen(4), {20, 20, 60, 60});
    EXPECT_EQ(alphaAt(image, 50, 20), 255);
    EXPECT_EQ(alphaAt(image, 50, 50), 0);
    EXPECT_EQ(alphaAt(image, 50, 15), 0);
}

std::unique_ptr<CanvasImage> filled(int width, int height, QRgb argb) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(argb);
    return std::make_unique<QtCanvasImage>(
        image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST(QtCanvasImageTest, DrawsUnscaledAtItsTopLeft) {
    QImage image = blank();
    QtCanvas canvas(image);
    canvas.drawImage(*filled(10, 10, 0xFFFF0000), 30, 40);
    EXPECT_EQ(image.pixel(30, 40), 0xFFFF0000);
    EXPECT_EQ(image.pixel(39, 49), 0xFFFF0000);
    EXPECT_EQ(alphaAt(image, 29, 40), 0);
    EXPECT_EQ(alphaAt(image, 40, 40), 0);
    EXPECT_EQ(alphaAt(image, 30, 50), 0);
}

TEST(QtCanvasImageTest, SmoothScalingKeepsAlphaAndColour) {
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, 0xFFFF0000);
    source.setPixel(1, 0, 0x00000000);
    QImage blankTarget = blank();
    QtCanvas canvas(blankTarget);
    auto scaled = canvas.scaleImage(
        QtCanvasImage(source.convertToFormat(QImage::Format_ARGB32_Premultiplied)), 64, 9);
    ASSERT_NE(scaled, nullptr);
    const QImage& result = static_cast<QtCanvasImage&>(*scaled).image();
    EXPECT_EQ(alphaAt(result, 0, 4), 255);
    EXPECT_EQ(alphaAt(result, 63, 4), 0);
    const QColor middle = result.pixelColor(32, 4);
    EXPECT_GT(middle.alpha(), 40);
    EXPECT_LT(middle.alpha(), 215);
    EXPECT_EQ(middle.red(), 255);
    EXPECT_EQ(middle.green(), 0);
}

TEST(QtCanvasImageTest, RefusesAbsurdSizesAndForeignImages) {
    QImage target = blank();
    QtCanvas canvas(target);
    auto source = filled(4, 4, 0xFF00FF00);
    for (const auto& [w, h] : {std::pair{0, 10},
                               {10, -1},
                               {INT_MIN, 5},
                               {INT_MAX, 5},
                               {5, QtCanvas::kMaxImageSide + 1}}) {
        EXPECT_EQ(canvas.scaleImage(*source, w, h), nullptr) << w << "x" << h;
    }
    struct Foreign : CanvasImage {
        int width() const override { return 10; }
        int height() const override { return 10; }
    } foreign;
    EXPECT_EQ(canvas.scaleImage(foreign, 10, 10), nullptr);
    canvas.drawImage(foreign, 0, 0);
    EXPECT_EQ(paintedCount(target), 0);
}

TEST(QtCanvasImageTest, DecodesByContentAndRefusesWhatItCannotRead) {
    QImage source(3, 2, QImage::Format_ARGB32);
    source.fill(0x80102030);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "PNG"));
    const auto bytes = [](const QByteArray& data) {
        return std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size()));
    };

    QImage target = blank();
    QtCanvas canvas(target);
    auto decoded = canvas.decodeImageData(bytes(png));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->width(), 3);
    EXPECT_EQ(decoded->height(), 2);
    EXPECT_EQ(canvas.decodeImageData(bytes("\x89PNG not really an image")), nullptr);
    EXPECT_EQ(canvas.decodeImageData({}), nullptr);

    // A PNG skips the search through the image plugins; other formats are still found by
    // their bytes.
    for (const char* format : {"BMP", "JPG", "PNG"}) {
        QByteArray encoded;
        QBuffer out(&encoded);
        out.open(QIODevice::WriteOnly);
        ASSERT_TRUE(source.save(&out, format)) << format;
        auto other = canvas.decodeImageData(bytes(encoded));
        ASSERT_NE(other, nullptr) << format;
        EXPECT_EQ(other->width(), 3) << format;
        EXPECT_EQ(other->height(), 2) << format;
    }
}

FontSpec sans(float emSize, bool bold = false) {
    return FontSpec{u"DejaVu Sans", emSize, bold, false};
}

TEST(QtCanvasText, MeasuresAnEmSizedBoxAndDrawsInsideIt) {
    QImage image = blank(300, 100);
    QtCanvas canvas(image);
    const std::u16string text = u"14.03.2007";
    const auto box = canvas.measureText(sans(20), text);
    ASSERT_TRUE(box);
    EXPECT_GT(box->height, 20);
    EXPECT_LT(box->height, 30);
    EXPECT_GT(box->width, 10 * 20 * 0.4);
    canvas.drawText(sans(20), 0xFF000000, text, {10, 30});
    const QRect ink = survey(image).ink;
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 10 + 20 / 6 - 1);
    EXPECT_LE(ink.right(), 10 + box->width);
    EXPECT_GE(ink.top(), 30);
    EXPECT_LE(ink.bottom(), 30 + box->height);
}

TEST(QtCanvasText, SizeIsExactAndAChangeShowsAtOnce) {
    QImage image = blank();
    QtCanvas canvas(image);
    const std::u16string text = u"Wednesday, March 14, 2007";
    const float regular = canvas.measureText(sans(10), text)->width - 10 / 3.0f;
    const float larger = canvas.measureText(sans(10.5f), text)->width - 10.5f / 3.0f;
    EXPECT_NEAR(larger / regular, 1.05, 0.02);
    EXPECT_GT(canvas.measureText(sans(10, true), text)->width, regular + 10 / 3.0f + 1);
    EXPECT_EQ(canvas.measureText(sans(10), text)->width, regular + 10 / 3.0f);
}

TEST(QtCanvasText, NoFontNoText) {
    QImage image = blank();
    QtCanvas canvas(image);
    for (const float em : {0.0f, -5.0f, NAN, INFINITY, 5000.0f, 2147483647.0f}) {
        EXPECT_FALSE(canvas.measureText(sans(em), u"12:00")) << em;
        canvas.drawText(sans(em), 0xFF000000, u"12:00", {10, 10});
    }
    EXPECT_EQ(paintedCount(image), 0);
}

TEST(QtCanvasText, UnknownFamilyFallsBackToSansSerif) {
    QImage image = blank();
    QtCanvas canvas(image);
    for (const std::u16string family : {u"No Such Family 4711", u""}) {
        const FontSpec font{family, 12, false, true};
        EXPECT_TRUE(canvas.measureText(font, u"12:00"));
        canvas.drawText(font, 0xFF000000, u"12:00", {10, 10});
    }
    EXPECT_GT(paintedCount(image), 20);
}

enum class Expect { Nothing, Something };

void expectPainted(const QImage& image, Expect expect) {
    if (expect == Expect::Nothing) {
        EXPECT_EQ(paintedCount(image), 0);
    } else {
        EXPECT_GT(paintedCount(image), 0);
    }
}

// Values an element computes from stored percentages of -2147483648 and 2147483647 with R = 100.
constexpr float kHuge = 2147483647.0f;
constexpr LineCap kArrow = LineCap::ArrowAnchor;

struct AbsurdLine {
    const char* name;
    PointF from;
    PointF to;
    float width;
    LineCap cap;
    Expect expect;
};

class QtCanvasAbsurdLine : public testing::TestWithParam<AbsurdLine> {};

TEST_P(QtCanvasAbsurdLine, DrawsSomethingFiniteOrNothing) {
    const AbsurdLine& row = GetParam();
    QImage image = blank(200, 200);
    QtCanvas(image).drawLine(pen(row.width, row.cap, row.cap), row.from, row.to);
    expectPainted(image, row.expect);
}

INSTANTIATE_TEST_SUITE_P(
    Values, QtCanvasAbsurdLine,
    testing::Values(
        AbsurdLine{"HugeWidth", {100, 100}, {100, 180}, kHuge, kArrow, Expect::Something},
        AbsurdLine{"HugeNegativeWidth", {100, 100}, {9, 9}, -kHuge, kArrow, Expect::Something},
        AbsurdLine{"EndFarAway", {100, 100}, {kHuge, -kHuge}, 4, LineCap::Round, Expect::Something},
        AbsurdLine{"AcrossFromFarToFar", {-kHuge, 99}, {kHuge, 99}, 4, kArrow, Expect::Something},
        AbsurdLine{"FarAway", {-kHuge, 1e9}, {kHuge, 1e9}, 4, kArrow, Expect::Nothing},
        AbsurdLine{"NotANumber", {NAN, 0}, {100, 100}, 4, kArrow, Expect::Nothing},
        AbsurdLine{"InfiniteWidth", {0, 0}, {9, 9}, INFINITY, kArrow, Expect::Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

struct AbsurdArc {
    const char* name;
    RectF bounds;
    float width;
    float start;
    float sweep;
    Expect expect;
};

class QtCanvasAbsurdArc : public testing::TestWithParam<AbsurdArc> {};

TEST_P(QtCanvasAbsurdArc, DrawsSomethingFiniteOrNothing) {
    const AbsurdArc& row = GetParam();
    QImage image = blank(200, 200);
    QtCanvas(image).drawArc(pen(row.width), row.bounds, row.start, row.sweep);
    expectPainted(image, row.expect);
}

constexpr RectF kHugeRing{100 - kHuge / 2, 100 - kHuge / 2, kHuge, kHuge};
INSTANTIATE_TEST_SUITE_P(
    Values, QtCanvasAbsurdArc,
    testing::Values(
        AbsurdArc{"RingAroundTheImage", kHugeRing, 4, 0, 360, Expect::Nothing},
        // Beyond the canvas's limit only a ring around a near centre is cut down to size: a
        // far centre's ring and an ellipse that is no circle draw nothing, by design.
        AbsurdArc{
            "FarCentreRingThroughTheImage", {100, -1e6f, 2e6f, 2e6f}, 4, 0, 360, Expect::Nothing},
        AbsurdArc{"ToHugeOuterRadius", kHugeRing, kHuge, -90, 90, Expect::Something},
        AbsurdArc{"FromHugeNegativeInnerRadius",
                  {100 + kHuge / 2, 100 + kHuge / 2, -kHuge, -kHuge},
                  kHuge,
                  -90,
                  90,
                  Expect::Something},
        AbsurdArc{"FromMinToMax", {150, 150, -100, -100}, 2 * kHuge, -90, 90, Expect::Something},
        AbsurdArc{"HugeEllipse", {-1e9, -5e8, 2e9, 1e9}, kHuge, -90, 90, Expect::Nothing},
        AbsurdArc{"HugeAngles", {50, 50, 100, 100}, 4, 1e30f, -1e30f, Expect::Something},
        AbsurdArc{"AngleNotANumber", {50, 50, 100, 100}, 4, NAN, 90, Expect::Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtCanvasAbsurd, FarAwayTextsAndImagesDrawNothing) {
    QImage image = blank(200, 200);
    QtCanvas canvas(image);
    canvas.drawText(sans(4096), 0xFF000000, u"00:00", {1e30f, 0});
    canvas.drawText(sans(12), 0xFF000000, u"00:00", {NAN, 0});
    canvas.drawImage(*filled(10, 10, 0xFF000000), -kHuge, kHuge);
    EXPECT_EQ(paintedCount(image), 0);
}

// Floats near 2^30 are 64 apart: a centre of 128 keeps the huge ring's geometry exact.
TEST(QtCanvasAbsurd, HugeRadiiStillFillTheirQuadrant) {
    QImage image = blank(256, 256);
    constexpr float kHalf = 1073741824.0f;
    QtCanvas(image).drawArc(pen(2 * kHalf), {128 - kHalf, 128 - kHalf, 2 * kHalf, 2 * kHalf}, -90,
                            90);
    EXPECT_EQ(alphaAt(image, 255, 0), 255);
    EXPECT_EQ(alphaAt(image, 130, 125), 255);
    EXPECT_EQ(alphaAt(image, 125, 125), 0);
    EXPECT_EQ(alphaAt(image, 130, 130), 0);
}

// One canvas moved from part to part draws each as a canvas of its own would: what one part
// set (smoothing, text antialiasing) does not reach the next.
TEST(QtCanvas, EachPartIsDrawnAsByACanvasOfItsOwn) {
    // Parts of a 100 x 100 frame, 50 pixels a side; the line crosses all of them.
    const auto drawPart = [](QtCanvas& canvas) {
        canvas.clear();
        canvas.drawLine(pen(7.3f, LineCap::Round, LineCap::Round), {10.2f, 20.7f}, {90.6f, 70.1f});
        canvas.drawText(sans(30), 0xFF000000, u"08", {10, 30});
    };
    QImage moved = blank(50, 50);
    QtCanvas canvas(moved, QPoint(0, 0), QSize(100, 100));
    canvas.setSmoothingMode(static_cast<std::int32_t>(SmoothingMode::HighSpeed));
    canvas.setTextAntialias(false);
    drawPart(canvas);
    for (const QPoint origin : {QPoint(50, 0), QPoint(0, 50), QPoint(50, 50)}) {
        canvas.setPart(origin);
        drawPart(canvas);
        canvas.finishPart();
        QImage own = blank(50, 50);
        {
            QtCanvas fresh(own, origin, QSize(100, 100));
            drawPart(fresh);
        }
        EXPECT_TRUE(survey(moved).partial);
        EXPECT_EQ(moved, own);
    }
}

// The window draws at the screen's ratio into an image of that many more pixels, with every
// coordinate scaled by the caller.
TEST(QtCanvas, DrawsCrispAtDevicePixelRatioTwo) {
    QImage image = blank(200, 200);
    image.setDevicePixelRatio(2);
    QtCanvas canvas(image);
    canvas.drawLine(pen(8), {40, 100}, {160, 100});
    EXPECT_EQ(alphaAt(image, 100, 95), 0);
    EXPECT_EQ(alphaAt(image, 100, 96), 255);
    EXPECT_EQ(alphaAt(image, 100, 103), 255);
    EXPECT_EQ(alphaAt(image, 100, 104), 0);
    EXPECT_EQ(alphaAt(image, 39, 100), 0);
    EXPECT_EQ(alphaAt(image, 40, 100), 255);

    QImage single = blank();
    const float width = QtCanvas(single).measureText(sans(10), u"12:41:29")->width;
    EXPECT_NEAR(canvas.measureText(sans(20), u"12:41:29")->width / width, 2.0, 0.05);
}

TEST(FontFamilies, InstalledFamiliesBecomeTheFamilyList) {
    const std::vector<std::u16string> installed = installedFontFamilies();
    ASSERT_FALSE(installed.empty());
    EXPECT_LE(installed.size(), FontFamilyList::kCapacity);
    FontFamilyList::resetForTesting();
    useInstalledFontFamilies();
    EXPECT_EQ(FontFamilyList::families(), installed);
    FontFamilyList::resetForTesting();
}

} // namespace

// A slow decode is kept beside its scaled copies only where the file declared much work: a
// small image slowed by a busy machine would otherwise be held whole for the session.
TEST(QtCanvasImages, OnlyACostlyFileKeepsItsDecode) {
    constexpr std::int64_t kDefaultDial = 447 * 451;
    constexpr std::int64_t kPhoto = 4000 * 3000;
    EXPECT_FALSE(QtCanvas::decodeWorthKeeping(5, kPhoto)) << "quick";
    EXPECT_FALSE(QtCanvas::decodeWorthKeeping(80, kDefaultDial)) << "small, on a busy machine";
    EXPECT_FALSE(QtCanvas::decodeWorthKeeping(80, std::int64_t{1} << 20)) << "at the line";
    EXPECT_TRUE(QtCanvas::decodeWorthKeeping(80, (std::int64_t{1} << 20) + 1));
    EXPECT_TRUE(QtCanvas::decodeWorthKeeping(25, kPhoto));
    EXPECT_TRUE(QtCanvas::decodeWorthKeeping(80, 0)) << "a format whose work is not declared";
}
