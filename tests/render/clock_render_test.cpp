// Whole frames through the Qt canvas: hands, slices and texts where they belong, the default
// scheme at known moments against golden images, and frames at twice the pixel density.
#include "clock/class_registration.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "clock/draw_list.h"
#include "clock/scheme_file.h"
#include "model/color_property.h"
#include "model/file_property.h"
#include "model/line_cap_property.h"
#include "model/percent_property.h"
#include "model/smoothing_mode_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"
#include "render/frame_renderer.h"
#include "render/qt_canvas.h"
#include "resources/default_scheme.h"
#include "tests/scoped_tmpdir.h"
#include "time/zone_slots.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using velmora::PackedDateTime;

constexpr float kPi = 3.14159265f;

PackedDateTime at(int hour, int minute, int second) {
    return {20261207, hour * 1000000 + minute * 10000 + second * 100};
}

QImage render(Clock& clock, int width, int height, const PackedDateTime& utc) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QtCanvas canvas(image);
    clock.layoutAndDraw(canvas, {0, 0, width, height}, utc);
    return image;
}

// The pixel at a fraction of the radius from the centre, at an angle clockwise from 12.
QRgb pixelOnDial(const QImage& image, const Clock& clock, float degrees, float fraction) {
    PointF c = clock.centerPoint(0, 0);
    float g = degrees * kPi / 180.0f;
    float d = clock.radius() * fraction;
    int x = static_cast<int>(std::lround(c.x + std::sin(g) * d));
    int y = static_cast<int>(std::lround(c.y - std::cos(g) * d));
    return image.pixel(x, y);
}

bool isColor(QRgb pixel, QRgb want, int tolerance = 40) {
    return std::abs(qRed(pixel) - qRed(want)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(want)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(want)) <= tolerance && qAlpha(pixel) > 200;
}

// How many pixels differ by more than tolerance in some channel; the images are equal in size.
int differentPixels(const QImage& a, const QImage& b, int tolerance) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            QRgb p = a.pixel(x, y);
            QRgb q = b.pixel(x, y);
            int worst = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            count += worst > tolerance;
        }
    }
    return count;
}

// Each pixel the exact average of a 2 x 2 block of the image.
QImage halved(const QImage& image) {
    QImage result(image.width() / 2, image.height() / 2, QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                QRgb p = image.pixel(2 * x + k % 2, 2 * y + k / 2);
                sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p), sum[3] += qAlpha(p);
            }
            result.setPixel(x, y, qRgba(sum[0] / 4, sum[1] / 4, sum[2] / 4, sum[3] / 4));
        }
    }
    return result;
}

// The bounding box of all pixels that are not fully transparent.
QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

class ClockRenderTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        registerSchemeClasses();
        velmora::clearZoneSlots();
    }
};

TEST_F(ClockRenderTest, HandPaintsAlongItsAngleOnly) {
    Clock clock;
    auto& hand = static_cast<ClockHand&>(*clock.append(std::make_unique<ClockHand>()));
    hand.findChildAs<ColorProperty>(u"Color")->setArgb(0xFFFF0000);
    hand.findChildAs<PercentProperty>(u"Thickness")->setValue(10);
    QImage image = render(clock, 200, 200, at(0, 0, 15));
    EXPECT_TRUE(isColor(image.pixel(160, 100), qRgb(255, 0, 0)));
    EXPECT_TRUE(isColor(image.pixel(100, 104), qRgb(255, 0, 0)));
    EXPECT_EQ(qAlpha(image.pixel(40, 100)), 0);
    EXPECT_EQ(qAlpha(image.pixel(100, 40)), 0);
    EXPECT_EQ(qAlpha(image.pixel(185, 100)), 0);
}

TEST_F(ClockRenderTest, SliceFillsTheElapsedQuadrant) {
    Clock clock;
    auto& slice = static_cast<ClockSlice&>(*clock.append(std::make_unique<ClockSlice>()));
    slice.findChildAs<ColorProperty>(u"Color")->setArgb(0xFF0000FF);
    QImage image = render(clock, 200, 200, at(0, 0, 15));
    EXPECT_TRUE(isColor(image.pixel(140, 60), qRgb(0, 0, 255)));
    EXPECT_TRUE(isColor(image.pixel(104, 10), qRgb(0, 0, 255)));
    EXPECT_EQ(qAlpha(image.pixel(60, 60)), 0);
    EXPECT_EQ(qAlpha(image.pixel(140, 140)), 0);
    EXPECT_EQ(qAlpha(image.pixel(60, 140)), 0);
    // Outside the circle nothing is painted.
    EXPECT_EQ(qAlpha(image.pixel(185, 15)), 0);
}

TEST_F(ClockRenderTest, TextInkIsCentredAndMovesWithItsOffset) {
    Clock clock;
    auto& text = static_cast<ClockText&>(*clock.append(std::make_unique<ClockText>()));
    text.findChildAs<StringProperty>(u"Fmt")->setValue(u"%H%M");
    text.findChildAs<PercentProperty>(u"FontSize")->setValue(40);
    QRect centred = ink(render(clock, 200, 200, at(18, 8, 0)));
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR(centred.center().x(), 100, 2);
    EXPECT_NEAR(centred.center().y(), 100, 4);
    EXPECT_GT(centred.height(), 10);
    EXPECT_LT(centred.height(), 24);
    text.findChildAs<PercentProperty>(u"dY")->setValue(50);
    QRect lower = ink(render(clock, 200, 200, at(18, 8, 0)));
    EXPECT_NEAR(lower.center().y() - centred.center().y(), 50, 1);
    EXPECT_NEAR(lower.center().x(), centred.center().x(), 1);
    text.findChildAs<PercentProperty>(u"FontSize")->setValue(0);
    EXPECT_TRUE(ink(render(clock, 200, 200, at(18, 8, 0))).isEmpty());
}

TEST_F(ClockRenderTest, DefaultSchemeShowsTheHandsOfTheMoment) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    QImage image = render(*clock, 400, 400, at(10, 8, 30));
    EXPECT_EQ(clock->layoutRect(), (LayoutRect{2, 0, 396, 400}));
    const QRgb white = qRgb(255, 255, 255);
    const QRgb orange = qRgb(0xFF, 0x68, 0x20);
    // Hour hand at 304.25 degrees, minute hand at 51, second hand at 180.
    EXPECT_TRUE(isColor(pixelOnDial(image, *clock, 304.25f, 0.35f), white));
    EXPECT_TRUE(isColor(pixelOnDial(image, *clock, 51.0f, 0.6f), white));
    EXPECT_TRUE(isColor(pixelOnDial(image, *clock, 180.0f, 0.7f), orange));
    EXPECT_TRUE(isColor(pixelOnDial(image, *clock, 0.0f, 0.1f), orange));
    // Where no hand is, the dial shows: neither white nor orange, and opaque.
    for (float degrees : {90.0f, 150.0f, 240.0f}) {
        QRgb dial = pixelOnDial(image, *clock, degrees, 0.6f);
        EXPECT_FALSE(isColor(dial, white, 60)) << degrees;
        EXPECT_FALSE(isColor(dial, orange, 60)) << degrees;
        EXPECT_EQ(qAlpha(dial), 255);
    }
    // Outside the round face the frame is transparent.
    EXPECT_EQ(qAlpha(image.pixel(3, 3)), 0);
    EXPECT_EQ(qAlpha(image.pixel(396, 396)), 0);
}

// How far from the pivot, along a direction, the first hour mark begins: the nearest tick-white
// pixel of the few lines across the mark, searched from half the radius outward, where no hand
// of the moment drawn lies.
double markDistance(const QImage& image, const Clock& clock, int dx, int dy) {
    const PointF c = clock.centerPoint(0, 0);
    const int across = static_cast<int>(clock.radius() * 0.03f);
    double nearest = 1e9;
    for (int side = -across; side <= across; ++side) {
        for (int d = static_cast<int>(clock.radius() / 2); d < image.width(); ++d) {
            const int x = static_cast<int>(std::lround(c.x)) + dx * d - dy * side;
            const int y = static_cast<int>(std::lround(c.y)) + dy * d + dx * side;
            if (!image.rect().contains(x, y)) {
                break;
            }
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 255 && qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200) {
                nearest = std::min(nearest, static_cast<double>(d));
                break;
            }
        }
    }
    return nearest;
}

// The scheme moves the pivot off the image centre, so the artwork must be drawn around the
// pivot: otherwise the second hand stops short of one tick by several times what it does at the
// opposite one. Both the rim (the frame's opaque disc) and the hour marks are measured.
TEST_F(ClockRenderTest, DefaultDialIsCentredOnThePivot) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    // No hand lies within 40 degrees of the four axes at 01:38:20.
    const QImage image = render(*clock, 1000, 1000, at(1, 38, 20));
    const PointF pivot = clock->centerPoint(0, 0);
    ASSERT_NEAR(pivot.x - (clock->layoutRect().x + clock->layoutRect().width / 2),
                -0.01 * clock->radius(), 0.5);
    ASSERT_NEAR(pivot.y - (clock->layoutRect().y + clock->layoutRect().height / 2),
                -0.03 * clock->radius(), 0.5);

    double sum = 0, sumX = 0, sumY = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            sum += alpha;
            sumX += alpha * (x + 0.5);
            sumY += alpha * (y + 0.5);
        }
    }
    ASSERT_GT(sum, 0);
    EXPECT_NEAR(sumX / sum, pivot.x, 1.5) << "rim";
    EXPECT_NEAR(sumY / sum, pivot.y, 1.5) << "rim";

    const double up = markDistance(image, *clock, 0, -1);
    const double down = markDistance(image, *clock, 0, 1);
    const double left = markDistance(image, *clock, -1, 0);
    const double right = markDistance(image, *clock, 1, 0);
    // The hour marks start at about 0.78 of the radius; a miss would leave them at 1e9.
    for (double d : {up, down, left, right}) {
        EXPECT_NEAR(d / clock->radius(), 0.78, 0.03);
    }
    EXPECT_NEAR((down - up) / 2, 0.0, 1.5) << "12 and 6 o'clock";
    EXPECT_NEAR((right - left) / 2, 0.0, 1.5) << "3 and 9 o'clock";
}

TEST_F(ClockRenderTest, TwiceThePixelDensityGivesTheSameFrameScaled) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    QImage normal = render(*clock, 200, 200, at(10, 8, 30));
    LayoutRect small = clock->layoutRect();
    QImage doubled = render(*clock, 400, 400, at(10, 8, 30));
    LayoutRect large = clock->layoutRect();
    EXPECT_EQ(large.width, 2 * small.width);
    EXPECT_EQ(large.height, 2 * small.height);
    EXPECT_EQ(large.x, 2 * small.x);
    // Every pixel of the small frame matches the average of its four large ones. Edges
    // antialias differently at the two sizes; the picture itself must agree.
    EXPECT_LT(differentPixels(normal, halved(doubled), 48), 200 * 200 / 50);
}

// Drawing only what changed gives the same pixels as drawing everything: seconds, a minute
// boundary, a jump of hours, days whose names differ in width, at one and two pixels per
// point, with texts and a slice that change every second, and edits of the scheme in between.
TEST_F(ClockRenderTest, PartialFramesMatchWholeFrames) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    auto& text = static_cast<ClockText&>(*clock->append(std::make_unique<ClockText>()));
    text.findChildAs<StringProperty>(u"Fmt")->setValue(u"%H:%M:%S");
    text.findChildAs<PercentProperty>(u"dY")->setValue(40);
    auto& day = static_cast<ClockText&>(*clock->append(std::make_unique<ClockText>()));
    day.findChildAs<StringProperty>(u"Fmt")->setValue(u"%A %S");
    day.findChildAs<PercentProperty>(u"dY")->setValue(-40);
    auto& slice = static_cast<ClockSlice&>(*clock->append(std::make_unique<ClockSlice>()));
    slice.findChildAs<ColorProperty>(u"Color")->setArgb(0x600000FF);
    const PackedDateTime steps[] = {at(10, 8, 30), at(10, 8, 31),        at(10, 8, 59),
                                    at(10, 9, 0),  at(10, 9, 1),         {20261209, 10090200},
                                    at(13, 45, 7), {20261210, 13450800}, at(13, 45, 8)};
    for (qreal ratio : {1.0, 2.0}) {
        const QSize pixels(static_cast<int>(220 * ratio), static_cast<int>(200 * ratio));
        FrameRenderer partial;
        for (std::size_t step = 0; step < std::size(steps); ++step) {
            const PackedDateTime& utc = steps[step];
            if (step == 4) {
                // Edits between two frames, as the editor makes them.
                text.findChildAs<PercentProperty>(u"FontSize")->setValue(ratio > 1 ? 14 : 8);
                slice.findChildAs<ColorProperty>(u"Color")->setArgb(ratio > 1 ? 0x60FF0000
                                                                              : 0x6000FF00);
                day.findChildAs<PercentProperty>(u"dX")->setValue(ratio > 1 ? 10 : -10);
            }
            const QRegion redrawn = partial.render(*clock, pixels, ratio, utc);
            EXPECT_FALSE(redrawn.isEmpty()) << utc.time << " at " << ratio;
            FrameRenderer whole;
            whole.render(*clock, pixels, ratio, utc);
            EXPECT_EQ(differentPixels(partial.frame(), whole.frame(), 0), 0)
                << utc.date << " " << utc.time << " at " << ratio;
        }
        EXPECT_TRUE(partial.render(*clock, pixels, ratio, steps[8]).isEmpty())
            << "the same moment again draws nothing";
    }
}

// A clock that moves continuously draws its changed tiles over the underlay, the frame as the
// commands beneath its moving hands leave it. Through frames at 60 a second, a hand beneath
// them moving now and then, edits below and above the moving hands, a new density and setting,
// the underlay turned off and on, and frames drawn ahead, every frame equals a whole frame
// drawn anew.
TEST_F(ClockRenderTest, FramesOverTheUnderlayMatchWholeFrames) {
    using namespace std::chrono;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    std::vector<ClockHand*> hands;
    for (const auto& child : clock->children()) {
        if (auto* hand = dynamic_cast<ClockHand*>(child.get())) {
            hands.push_back(hand);
        }
    }
    ASSERT_GE(hands.size(), 8u);
    for (ClockHand* hand : hands) {
        auto* value = hand->findChildAs<TimeValueProperty>(u"TimeValue");
        if (value->value() == static_cast<int>(velmora::TimeValueKind::Second)) {
            value->setValue(static_cast<int>(velmora::TimeValueKind::SecondContinuous));
        }
    }
    FrameRenderer partial;
    partial.setKeepUnderlay(true);
    const auto start = system_clock::time_point(seconds(1'800'000'000));
    const auto moment = [&](int frame) {
        return velmora::packedDateTimeFrom(start + nanoseconds(frame * 1'000'000'000LL / 60));
    };
    qreal ratio = 1;
    const auto pixels = [&] {
        return QSize(static_cast<int>(230 * ratio), static_cast<int>(210 * ratio));
    };
    const auto check = [&](int frame) {
        FrameRenderer whole;
        whole.render(*clock, pixels(), ratio, moment(frame));
        EXPECT_EQ(differentPixels(partial.frame(), whole.frame(), 0), 0)
            << "frame " << frame << " at " << ratio;
    };
    bool underlaid = false;
    for (int frame = 0; frame < 150; ++frame) {
        if (frame == 40) {
            // Beneath the moving hands: the hour hand's colour.
            hands[1]->findChildAs<ColorProperty>(u"Color")->setArgb(0xFF20C0FF);
        } else if (frame == 60) {
            // Above them: the centre dot's size.
            hands[7]->findChildAs<PercentProperty>(u"Thickness")->setValue(20);
        } else if (frame == 90) {
            ratio = 2;
        } else if (frame == 100) {
            // A setting beneath them holds for what is drawn over the underlay. (The stored
            // scheme's is a plain integer, which the clock does not take for one.)
            const Property* stored = clock->findChild(u"SmoothingMode");
            clock->insertChildAfter(
                stored, std::make_unique<SmoothingModeProperty>(u"SmoothingMode", 40,
                                                                SmoothingModeProperty::kHighSpeed));
            clock->removeChild(stored);
        } else if (frame == 120) {
            partial.setKeepUnderlay(false);
        } else if (frame == 125) {
            partial.setKeepUnderlay(true);
        }
        partial.render(*clock, pixels(), ratio, moment(frame));
        underlaid = underlaid || partial.underlayCommands() > 0;
        check(frame);
    }
    EXPECT_TRUE(underlaid);
    EXPECT_GT(partial.underlayCommands(), 0u) << "made again after it was turned off";

    // Frames drawn ahead, each over the one before; the last is drawn however late.
    std::vector<FrameRenderer::Moment> moments;
    for (int frame = 150; frame < 170; ++frame) {
        moments.push_back({system_clock::now() + milliseconds(frame - 150), moment(frame)});
    }
    FrameRenderer whole;
    whole.render(*clock, pixels(), ratio, moment(169));
    std::atomic<bool> lastDrawn = false;
    ASSERT_TRUE(partial.renderAhead(*clock, moments, [&](QImage& frame, const QRegion&) {
        lastDrawn = lastDrawn || differentPixels(frame, whole.frame(), 0) == 0;
    }));
    for (int wait = 0; wait < 1000 && !lastDrawn; ++wait) {
        QThread::msleep(5);
    }
    EXPECT_TRUE(lastDrawn);
    EXPECT_GT(partial.underlayCommands(), 0u);
}

// A thick slanting hand with anchors changes pixels far from its line: through a whole
// minute, at every angle, the partial frames still equal whole ones.
TEST_F(ClockRenderTest, ThickSlantingHandsRedrawAllTheyTouch) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    auto& hand = static_cast<ClockHand&>(*clock->append(std::make_unique<ClockHand>()));
    hand.findChildAs<PercentProperty>(u"Thickness")->setValue(9);
    hand.findChildAs<TimeValueProperty>(u"TimeValue")
        ->setValue(static_cast<int>(velmora::TimeValueKind::Second));
    hand.findChildAs<LineCapProperty>(u"BeginCap")
        ->setValue(static_cast<int>(LineCap::ArrowAnchor));
    hand.findChildAs<LineCapProperty>(u"EndCap")->setValue(static_cast<int>(LineCap::RoundAnchor));
    for (qreal ratio : {1.0, 2.0}) {
        const QSize pixels(static_cast<int>(200 * ratio), static_cast<int>(200 * ratio));
        FrameRenderer partial;
        partial.render(*clock, pixels, ratio, at(13, 44, 59));
        for (int second = 0; second < 60; ++second) {
            const PackedDateTime utc = at(13, 45, second);
            const QRegion redrawn = partial.render(*clock, pixels, ratio, utc);
            EXPECT_LT(redrawn.boundingRect().width() * redrawn.boundingRect().height(),
                      pixels.width() * pixels.height())
                << second << " at " << ratio;
            FrameRenderer whole;
            whole.render(*clock, pixels, ratio, utc);
            EXPECT_EQ(differentPixels(partial.frame(), whole.frame(), 0), 0)
                << second << " at " << ratio;
        }
    }
}

// Frames are made by the allocator given, for memory another reader shares; where it makes
// none, or one that does not fit, the frame is made plainly.
TEST_F(ClockRenderTest, FramesComeFromTheAllocatorWhereItMakesThem) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    std::vector<uchar> shared(200 * 200 * 4);
    std::vector<QSize> asked;
    FrameRenderer renderer;
    renderer.setAllocator([&](const QSize& pixels) {
        asked.push_back(pixels);
        if (pixels == QSize(200, 200)) {
            return QImage(shared.data(), 200, 200, 800, QImage::Format_ARGB32_Premultiplied);
        }
        if (pixels == QSize(120, 120)) {
            return QImage(pixels, QImage::Format_RGB32);
        }
        return QImage();
    });
    renderer.render(*clock, QSize(200, 200), 1, at(10, 8, 30));
    EXPECT_EQ(renderer.frame().constBits(), shared.data());
    FrameRenderer plain;
    plain.render(*clock, QSize(200, 200), 1, at(10, 8, 30));
    EXPECT_EQ(differentPixels(renderer.frame(), plain.frame(), 0), 0);
    renderer.render(*clock, QSize(200, 200), 1, at(10, 8, 31));
    EXPECT_EQ(asked.size(), 1u) << "a frame of the same size is drawn again in place";

    for (const QSize pixels : {QSize(150, 150), QSize(120, 120)}) {
        renderer.render(*clock, pixels, 1, at(10, 8, 32));
        EXPECT_EQ(asked.back(), pixels);
        EXPECT_EQ(renderer.frame().size(), pixels);
        EXPECT_EQ(renderer.frame().format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_NE(renderer.frame().constBits(), shared.data());
    }
}

// A recording replayed on the drawing thread may outlive the images it was made with (a
// scheme loaded meanwhile frees them): it draws copies of its own, and still tells an
// unchanged image from a new one by the original.
TEST_F(ClockRenderTest, RecordedImagesOutliveTheirOriginals) {
    QImage measureTarget(1, 1, QImage::Format_ARGB32_Premultiplied);
    QtCanvas measurer(measureTarget);
    QImage red(8, 8, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    auto original = std::make_unique<QtCanvasImage>(red);
    DrawList earlier(measurer);
    earlier.drawImage(*original, 2, 3);
    DrawList list(measurer);
    list.drawImage(*original, 2, 3);
    EXPECT_TRUE(list.changedSince(earlier, {0, 0, 16, 16}).empty());
    original.reset();
    red = QImage();

    QImage target(16, 16, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    {
        QtCanvas canvas(target);
        list.replay(canvas);
    }
    EXPECT_EQ(target.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(target.pixel(1, 1)), 0);
}

// A frame finished on the drawing thread: the finish runs off the caller's thread, sees the
// drawn pixels and the region render returned, and the frame read afterwards is complete.
TEST_F(ClockRenderTest, FramesFinishedOnTheDrawingThreadAreComplete) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    FrameRenderer finished;
    FrameRenderer waited;
    const QSize pixels(200, 200);
    for (int second = 30; second < 34; ++second) {
        QImage seen;
        QRegion told;
        QThread* where = nullptr;
        const QRegion redrawn = finished.renderAndFinish(
            *clock, pixels, 1, at(10, 8, second), [&](const QImage& frame, const QRegion& area) {
                seen = frame.copy();
                told = area;
                where = QThread::currentThread();
            });
        waited.render(*clock, pixels, 1, at(10, 8, second));
        finished.settle();
        EXPECT_EQ(told, redrawn) << second;
        EXPECT_NE(where, QThread::currentThread()) << second;
        EXPECT_EQ(differentPixels(seen, waited.frame(), 0), 0) << second;
        EXPECT_EQ(differentPixels(finished.frame(), waited.frame(), 0), 0) << second;
    }
}

// The frames finished on the drawing thread, as the finish saw them.
struct Finished {
    std::mutex mutex;
    std::vector<std::pair<QImage, QRegion>> frames;

    FrameRenderer::Finish finish() {
        return [this](const QImage& frame, const QRegion& area) {
            std::lock_guard lock(mutex);
            frames.emplace_back(frame.copy(), area);
        };
    }
    std::size_t count() {
        std::lock_guard lock(mutex);
        return frames.size();
    }
    // Waits up to five seconds for the n-th frame.
    bool waitFor(std::size_t n) {
        for (int i = 0; i < 1000 && count() < n; ++i) {
            QThread::msleep(5);
        }
        return count() >= n;
    }
};

QImage wholeFrame(Clock& clock, const QSize& pixels, const PackedDateTime& utc) {
    FrameRenderer whole;
    whole.render(clock, pixels, 1, utc);
    return whole.frame();
}

// A window that goes does not wait for the frame of a large scheme: abandoned, the drawing
// stops unfinished and is never presented, and the next frame is whole and right.
TEST_F(ClockRenderTest, AnAbandonedFrameIsNeitherFinishedNorKept) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    // Enough texts that drawing them takes a tenth of a second or more.
    for (int i = 0; i < 20000; ++i) {
        auto& text = static_cast<ClockText&>(*clock->append(std::make_unique<ClockText>()));
        text.findChildAs<StringProperty>(u"Fmt")->setValue(u"%S");
        text.findChildAs<PercentProperty>(u"dX")->setValue(i % 141 - 70);
        text.findChildAs<PercentProperty>(u"dY")->setValue(i / 141 % 141 - 70);
    }
    const QSize pixels(300, 300);
    FrameRenderer renderer;
    Finished finished;
    EXPECT_FALSE(
        renderer.renderAndFinish(*clock, pixels, 1, at(10, 8, 30), finished.finish()).isEmpty());
    renderer.abandon();
    EXPECT_EQ(finished.count(), 0u) << "stopped before its end";
    EXPECT_EQ(renderer.render(*clock, pixels, 1, at(10, 8, 31)), QRegion(0, 0, 300, 300));
    EXPECT_EQ(differentPixels(renderer.frame(), wholeFrame(*clock, pixels, at(10, 8, 31)), 0), 0);
}

// Seconds recorded ahead are drawn at their moments on the drawing thread, each as a whole
// frame of its moment would be; a frame the thread cannot draw in time (a busy machine) gives
// way to the next. Settling drops those still to come, says so, and leaves the frame at the
// last one drawn, from which rendering goes on correctly.
TEST_F(ClockRenderTest, FramesRenderedAheadEqualWholeFramesOfTheirMoments) {
    using namespace std::chrono;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    const QSize pixels(200, 200);
    FrameRenderer ahead;
    int dropped = 0;
    ahead.setAheadDropped([&] { ++dropped; });
    EXPECT_FALSE(ahead.renderAhead(*clock, {}, nullptr)) << "nothing before a first frame";
    ahead.render(*clock, pixels, 1, at(10, 8, 30));

    std::vector<QImage> wholes;
    for (int i = 1; i <= 3; ++i) {
        wholes.push_back(wholeFrame(*clock, pixels, at(10, 8, 30 + i)));
    }
    Finished finished;
    const auto start = system_clock::now();
    std::vector<FrameRenderer::Moment> moments;
    for (int i = 1; i <= 3; ++i) {
        moments.push_back({start + milliseconds(40 * i), at(10, 8, 30 + i)});
    }
    moments.push_back({start + hours(1), at(10, 8, 34)});
    const std::optional<QRegion> redrawn = ahead.renderAhead(*clock, moments, finished.finish());
    ASSERT_TRUE(redrawn);
    EXPECT_FALSE(redrawn->isEmpty());
    // The last of the three is drawn, however late the thread wakes.
    for (int i = 0; i < 1000; ++i) {
        std::lock_guard lock(finished.mutex);
        if (!finished.frames.empty() &&
            differentPixels(finished.frames.back().first, wholes[2], 0) == 0) {
            break;
        }
        QThread::msleep(5);
    }
    EXPECT_EQ(dropped, 0);
    ahead.settle();
    EXPECT_EQ(dropped, 1) << "the hour-away frame is dropped";
    ASSERT_FALSE(finished.frames.empty());
    ASSERT_LE(finished.frames.size(), 3u);
    // Each one drawn is the whole frame of a later moment than the one before.
    std::size_t next = 0;
    for (const auto& [frame, area] : finished.frames) {
        while (next < wholes.size() && differentPixels(frame, wholes[next], 0) != 0) {
            ++next;
        }
        ASSERT_LT(next, wholes.size()) << "a frame of none of the moments, or out of order";
        EXPECT_TRUE(redrawn->contains(area.boundingRect()));
        ++next;
    }
    EXPECT_EQ(differentPixels(ahead.frame(), wholes[2], 0), 0);

    ahead.render(*clock, pixels, 1, at(10, 8, 40));
    EXPECT_EQ(differentPixels(ahead.frame(), wholeFrame(*clock, pixels, at(10, 8, 40)), 0), 0);
}

// Frames whose moments have all passed when the thread comes to them are not drawn one after
// another: only the last, over the frame drawn before them all.
TEST_F(ClockRenderTest, FramesThatCannotBeDrawnInTimeGiveWayToTheLast) {
    using namespace std::chrono;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    const QSize pixels(200, 200);
    FrameRenderer ahead;
    ahead.render(*clock, pixels, 1, at(10, 8, 30));
    std::vector<FrameRenderer::Moment> moments;
    const auto past = system_clock::now() - seconds(10);
    for (int i = 1; i <= 5; ++i) {
        moments.push_back({past + seconds(i), at(10, 8, 30 + 7 * i)});
    }
    Finished finished;
    ASSERT_TRUE(ahead.renderAhead(*clock, moments, finished.finish()));
    ASSERT_TRUE(finished.waitFor(1));
    ahead.settle();
    ASSERT_EQ(finished.count(), 1u);
    EXPECT_EQ(
        differentPixels(finished.frames[0].first, wholeFrame(*clock, pixels, at(10, 8, 65)), 0), 0);
}

// Paced frames wait for the display: each sign draws the frame of the refresh to come (the
// latest whose moment lies within one and a half refreshes), and the pacer is asked again
// for the next only while frames are waiting.
TEST_F(ClockRenderTest, PacedFramesWaitForTheDisplaysSign) {
    using namespace std::chrono;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    const QSize pixels(200, 200);
    FrameRenderer paced;
    std::atomic<int> asked = 0;
    paced.setPacer([&] { ++asked; });
    paced.render(*clock, pixels, 1, at(10, 8, 30));
    const milliseconds refresh(100);
    const auto now = system_clock::now();
    std::vector<FrameRenderer::Moment> moments;
    for (int i = 0; i < 3; ++i) {
        moments.push_back({now + i * refresh, at(10, 8, 31 + i)});
    }
    moments.push_back({now + hours(1), at(10, 8, 40)});
    Finished finished;
    ASSERT_TRUE(paced.renderAhead(*clock, moments, finished.finish(), refresh));
    for (int i = 0; i < 200 && asked == 0; ++i) {
        QThread::msleep(5);
    }
    EXPECT_EQ(asked, 1);
    QThread::msleep(300);
    EXPECT_EQ(finished.count(), 0u) << "nothing is drawn before the display's sign";
    EXPECT_EQ(asked, 1) << "one question until the answer";

    // 300 ms on, all three moments lie within the lead: the sign draws the last of them.
    paced.displayReady();
    ASSERT_TRUE(finished.waitFor(1));
    EXPECT_EQ(
        differentPixels(finished.frames[0].first, wholeFrame(*clock, pixels, at(10, 8, 33)), 0), 0);
    QThread::msleep(100);
    EXPECT_EQ(asked, 1) << "the next frame is an hour away: no question yet";
    paced.displayReady();
    QThread::msleep(100);
    EXPECT_EQ(finished.count(), 1u) << "a sign long before a frame's moment draws nothing";
    paced.settle();

    // Without a pacer, frames follow their moments alone.
    paced.setPacer(nullptr);
    Finished timed;
    const auto soon = system_clock::now() + milliseconds(20);
    ASSERT_TRUE(paced.renderAhead(*clock, {{{soon, at(10, 9, 0)}}}, timed.finish(), refresh));
    EXPECT_TRUE(timed.waitFor(1));
    EXPECT_EQ(asked, 1);
}

// The display is asked a refresh before a frame's window opens, not when it opens: a server
// that counts a refresh before it tells of it answers a question asked late within the
// refresh with the one after, and the frame would wait two refreshes. A sign that comes before
// the window has the frame drawn as the window opens, without asking again.
TEST_F(ClockRenderTest, TheDisplayIsAskedARefreshBeforeAFramesWindowOpens) {
    using namespace std::chrono;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    FrameRenderer paced;
    std::atomic<int> asked = 0;
    paced.setPacer([&] { ++asked; });
    paced.render(*clock, QSize(200, 200), 1, at(10, 8, 30));
    const milliseconds refresh(400);
    // The window opens one and a half refreshes before the moment: 200 ms from now.
    const auto moment = system_clock::now() + milliseconds(800);
    Finished finished;
    ASSERT_TRUE(paced.renderAhead(*clock, {{{moment, at(10, 8, 31)}}}, finished.finish(), refresh));
    for (int i = 0; i < 30 && asked == 0; ++i) {
        QThread::msleep(5);
    }
    EXPECT_EQ(asked, 1) << "asked at once, a refresh before the window";
    paced.displayReady();
    std::this_thread::sleep_until(moment - milliseconds(650));
    EXPECT_EQ(finished.count(), 0u) << "not drawn before its window";
    EXPECT_TRUE(finished.waitFor(1));
    EXPECT_GE(system_clock::now(), moment - milliseconds(600));
    EXPECT_EQ(asked, 1);
    paced.settle();
}

// Frames recorded anew while frames ahead are still drawn (the window's thread recording the
// next second before the last ones ran out) never step back to a moment already drawn.
TEST_F(ClockRenderTest, FramesAheadNeverStepBackToAMomentDrawn) {
    using namespace std::chrono;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    const QSize pixels(200, 200);
    FrameRenderer renderer;
    renderer.render(*clock, pixels, 1, at(10, 8, 30));
    const auto now = system_clock::now();
    const FrameRenderer::Moment first{now, at(10, 8, 31)};
    const FrameRenderer::Moment second{now + milliseconds(10), at(10, 8, 32)};
    Finished finished;
    ASSERT_TRUE(renderer.renderAhead(*clock, {{first, second}}, finished.finish()));
    ASSERT_TRUE(finished.waitFor(2));
    renderer.settle();
    const FrameRenderer::Moment third{now + milliseconds(20), at(10, 8, 33)};
    const std::optional<QRegion> ahead =
        renderer.renderAhead(*clock, {{first, second, third}}, finished.finish());
    ASSERT_TRUE(ahead);
    EXPECT_TRUE(finished.waitFor(3));
    renderer.settle();
    ASSERT_EQ(finished.count(), 3u) << "only the third moment is drawn";
    EXPECT_EQ(differentPixels(renderer.frame(), wholeFrame(*clock, pixels, at(10, 8, 33)), 0), 0);
    EXPECT_EQ(*ahead, finished.frames[2].second);
}

// A second of the default scheme moves the hands, the minute and hour hands by a fraction of
// a pixel: only the boxes around the hands are drawn again, not the dial between them.
TEST_F(ClockRenderTest, ASecondDrawsOnlyAroundTheHands) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    FrameRenderer renderer;
    const QSize pixels(200, 200);
    EXPECT_EQ(renderer.render(*clock, pixels, 1, at(10, 8, 30)), QRegion(0, 0, 200, 200));
    const QRegion redrawn = renderer.render(*clock, pixels, 1, at(10, 8, 31));
    EXPECT_FALSE(redrawn.isEmpty());
    int area = 0;
    for (const QRect& rect : redrawn) {
        area += rect.width() * rect.height();
    }
    EXPECT_LT(area, 200 * 200 / 3);
    // Hands at 304, 51 and 180 degrees: the dial at 120 degrees stays as it was.
    PointF c = clock->centerPoint(0, 0);
    const QPoint away(static_cast<int>(c.x + clock->radius() * 0.7f * std::sin(2.09f)),
                      static_cast<int>(c.y - clock->radius() * 0.7f * std::cos(2.09f)));
    EXPECT_FALSE(redrawn.contains(away));
    // A new size draws everything again.
    EXPECT_EQ(renderer.render(*clock, QSize(150, 150), 1, at(10, 8, 31)), QRegion(0, 0, 150, 150));
}

struct GoldenRow {
    const char* name;
    PackedDateTime utc;
};

class GoldenFrameTest : public ClockRenderTest, public testing::WithParamInterface<GoldenRow> {};

// Regenerate with scripts/regenerate-goldens after a deliberate change of the look.
TEST_P(GoldenFrameTest, MatchesTheGoldenImage) {
    QImage golden(QString(VELMORA_SOURCE_DIR "/tests/data/golden/") + GetParam().name + ".png");
    ASSERT_FALSE(golden.isNull()) << GetParam().name;
    std::unique_ptr<Clock> clock = readDefaultScheme();
    QImage frame = render(*clock, golden.width(), golden.height(), GetParam().utc)
                       .convertToFormat(QImage::Format_ARGB32);
    golden = golden.convertToFormat(QImage::Format_ARGB32);
    // Antialiasing may differ slightly between machines; a moved hand would not.
    EXPECT_LT(differentPixels(frame, golden, 16), frame.width() * frame.height() / 500)
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(DefaultScheme, GoldenFrameTest,
                         testing::Values(GoldenRow{"default_101530", {20261207, 10153000}},
                                         GoldenRow{"default_034512", {20261207, 3451200}},
                                         GoldenRow{"default_235959", {20261207, 23595999}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Without a usable temporary folder the carried images stay in memory: schemes still load,
// draw their background and save unchanged.
class NoTemporaryFolderTest : public ClockRenderTest {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("velmora-no-tmp-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_ / "readonly");
        ::chmod((folder_ / "readonly").c_str(), 0500);
        tmpDir_.emplace((folder_ / "readonly").string());
        // Root writes into read-only folders; /proc takes no new files from anyone.
        if (TemporaryFile::create(nullptr) != nullptr) {
            tmpDir_->point("/proc");
        }
        ASSERT_EQ(TemporaryFile::create(nullptr), nullptr);
    }
    void TearDown() override {
        tmpDir_.reset();
        ::chmod((folder_ / "readonly").c_str(), 0700);
        std::filesystem::remove_all(folder_);
    }
    void useTemporaryFolder() { tmpDir_->restore(); }

    std::filesystem::path folder_;
    std::optional<ScopedTmpDir> tmpDir_;
};

TEST_F(NoTemporaryFolderTest, DefaultSchemeLoadsDrawsAndSavesFromMemory) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    auto* file = clock->findChildAs<FileProperty>(u"BackgroundImage");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->temporaryFilePath().empty());
    EXPECT_NE(file->lastError().find("no temporary copy"), std::string::npos) << file->lastError();
    QImage frame = render(*clock, 200, 200, at(10, 15, 30));
    std::vector<std::uint8_t> saved = schemeBytes(*clock);
    EXPECT_TRUE(std::ranges::equal(saved, defaultSchemeBytes()));

    useTemporaryFolder();
    std::unique_ptr<Clock> reference = readDefaultScheme();
    ASSERT_NE(reference, nullptr);
    ASSERT_FALSE(
        reference->findChildAs<FileProperty>(u"BackgroundImage")->temporaryFilePath().empty());
    EXPECT_EQ(differentPixels(frame, render(*reference, 200, 200, at(10, 15, 30)), 0), 0);
    EXPECT_GT(clock->backgroundWidth(), 0);
    EXPECT_EQ(clock->backgroundWidth(), reference->backgroundWidth());
}

TEST_F(NoTemporaryFolderTest, ChosenBackgroundDrawsAndRoundTripsThroughAFile) {
    QImage solid(40, 40, QImage::Format_ARGB32);
    solid.fill(QColor(0x33, 0x66, 0xcc));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(solid.save(&buffer, "PNG"));

    Clock clock;
    auto* file = clock.findChildAs<FileProperty>(u"BackgroundImage");
    ASSERT_NE(file, nullptr);
    std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                        static_cast<std::size_t>(png.size()));
    ASSERT_TRUE(file->carryBytes(u"/pictures/solid.png", bytes)) << file->lastError();
    EXPECT_TRUE(std::ranges::equal(file->bytes(), bytes));

    std::filesystem::path path = folder_ / "solid.vcs";
    std::string error;
    ASSERT_TRUE(saveSchemeFile(clock, path, &error)) << error;
    ReadError readError;
    std::unique_ptr<Clock> loaded = readSchemeFile(path, &readError, true);
    ASSERT_NE(loaded, nullptr) << readError.reason;
    QImage frame = render(*loaded, 80, 80, at(10, 15, 30));
    EXPECT_EQ(loaded->backgroundWidth(), 40);
    EXPECT_TRUE(isColor(frame.pixel(3, 3), qRgb(0x33, 0x66, 0xcc), 2));
    EXPECT_EQ(schemeBytes(*loaded), schemeBytes(clock));
    EXPECT_EQ(schemeBytes(*loaded->cloneClock()), schemeBytes(clock));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
