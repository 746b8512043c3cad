// The frame painted into the window over the desktop's background, and the background read
// from a root pixmap for a window anywhere on or off the screen.
#include "app/presentation/frame_painting.h"
#include "app/x11/desktop_backdrop.h"
#include "render/frame_renderer.h"
#include "resources/default_scheme.h"

#include <QPainter>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A desktop whose every pixel is different, so that a piece read from the wrong place shows.
QImage numberedDesktop(const QSize& size) {
    QImage desktop(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            desktop.setPixel(x, y, qRgb(x & 0xff, y & 0xff, (x >> 8) | ((y >> 8) << 4)));
        }
    }
    return desktop;
}

velmora::PackedDateTime at(int minute, int second) {
    return {20260314, 9 * 1000000 + minute * 10000 + second * 100};
}

int wrapped(int at, int size) {
    return ((at % size) + size) % size;
}

struct CropCase {
    const char* name;
    QRect area;
    QSize tile;
};

class BackdropCropTest : public testing::TestWithParam<CropCase> {};

TEST_P(BackdropCropTest, EveryPixelComesFromTheTiledPixmap) {
    const CropCase& row = GetParam();
    const QImage pixmap = numberedDesktop(row.tile);
    int reads = 0;
    const QImage backdrop = assembleBackdrop(row.area, row.tile, [&](const QRect& source) {
        ++reads;
        EXPECT_TRUE(pixmap.rect().contains(source)) << "read outside the pixmap";
        return pixmap.copy(source);
    });
    ASSERT_EQ(backdrop.size(), row.area.size());
    EXPECT_EQ(reads, 1) << "the pixmap is read once";
    for (int y = 0; y < row.area.height(); ++y) {
        for (int x = 0; x < row.area.width(); ++x) {
            const QPoint screen = row.area.topLeft() + QPoint(x, y);
            ASSERT_EQ(backdrop.pixel(x, y), pixmap.pixel(wrapped(screen.x(), row.tile.width()),
                                                         wrapped(screen.y(), row.tile.height())))
                << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, BackdropCropTest,
    testing::Values(CropCase{"Inside", QRect(300, 200, 200, 150), QSize(1024, 768)},
                    CropCase{"OffTheLeftAndTop", QRect(-60, -30, 200, 200), QSize(1024, 768)},
                    CropCase{"OffTheRightAndBottom", QRect(900, 700, 200, 200), QSize(1024, 768)},
                    CropCase{"SmallTile", QRect(-7, 13, 90, 70), QSize(16, 24)},
                    CropCase{"OneByOneTile", QRect(5, 5, 33, 17), QSize(1, 1)}),
    [](const testing::TestParamInfo<CropCase>& info) { return std::string(info.param.name); });

TEST(BackdropCropTest, AFailedReadGivesNoBackdrop) {
    const QRect area(10, 10, 50, 50);
    EXPECT_TRUE(
        assembleBackdrop(area, QSize(100, 100), [](const QRect&) { return QImage(); }).isNull());
    // A reply of another size (a pixmap replaced between its size and its pixels).
    EXPECT_TRUE(assembleBackdrop(area, QSize(100, 100), [](const QRect&) {
                    return QImage(10, 10, QImage::Format_RGB32);
                }).isNull());
    EXPECT_TRUE(assembleBackdrop(area, QSize(), [](const QRect&) {
                    ADD_FAILURE() << "an empty pixmap is not read";
                    return QImage();
                }).isNull());
}

// The window's area, in its own coordinates, that a region of frame pixels reaches.
QRegion windowArea(const QRegion& pixels, qreal ratio) {
    QRegion area;
    for (const QRect& rect : pixels) {
        area += QRect(QPoint(static_cast<int>(std::floor(rect.left() / ratio)),
                             static_cast<int>(std::floor(rect.top() / ratio))),
                      QPoint(static_cast<int>(std::ceil((rect.right() + 1) / ratio)) - 1,
                             static_cast<int>(std::ceil((rect.bottom() + 1) / ratio)) - 1));
    }
    return area;
}

void paint(QImage& window, const QImage& frame, const QImage& backdrop, const QRegion& area,
           qreal opacity) {
    QPainter painter(&window);
    for (const QRect& rect : area) {
        paintFrameArea(painter, frame, backdrop, rect, opacity);
    }
}

struct PaintCase {
    const char* name;
    qreal ratio;
    qreal opacity;
    bool withBackdrop;
};

class FramePaintingTest : public testing::TestWithParam<PaintCase> {};

// The window keeps what was painted before and gets only the changed boxes each second; it
// must then hold what painting the whole window over the same backdrop gives.
TEST_P(FramePaintingTest, ChangedBoxesGiveTheWholeComposition) {
    const PaintCase& row = GetParam();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    const QSize logical(200, 200);
    const QSize pixels(static_cast<int>(logical.width() * row.ratio),
                       static_cast<int>(logical.height() * row.ratio));
    QImage backdrop;
    if (row.withBackdrop) {
        backdrop = numberedDesktop(QSize(1024, 768)).copy(QRect(QPoint(333, 222), pixels));
        backdrop.setDevicePixelRatio(row.ratio);
    }
    QImage window(pixels, QImage::Format_ARGB32_Premultiplied);
    window.setDevicePixelRatio(row.ratio);
    FrameRenderer renderer;
    renderer.render(*clock, pixels, row.ratio, at(26, 53));
    paint(window, renderer.frame(), backdrop, QRect(QPoint(), logical), row.opacity);
    int partial = 0;
    for (int step = 0; step < 8; ++step) {
        // Across a minute, where the minute hand moves too.
        const QRegion redrawn =
            renderer.render(*clock, pixels, row.ratio, at(26 + step / 6, (54 + step) % 60));
        const QRegion area = windowArea(redrawn, row.ratio);
        partial += area != QRegion(QRect(QPoint(), logical)) ? 1 : 0;
        paint(window, renderer.frame(), backdrop, area, row.opacity);

        QImage whole(pixels, QImage::Format_ARGB32_Premultiplied);
        whole.setDevicePixelRatio(row.ratio);
        paint(whole, renderer.frame(), backdrop, QRect(QPoint(), logical), row.opacity);
        ASSERT_EQ(window, whole) << "second " << step;
    }
    EXPECT_GT(partial, 0) << "no second was painted in part";
}

INSTANTIATE_TEST_SUITE_P(Windows, FramePaintingTest,
                         testing::Values(PaintCase{"OverTheBackdrop", 1, 1, true},
                                         PaintCase{"OverTheBackdropAtDoubleDensity", 2, 1, true},
                                         PaintCase{"HalfOpaqueOverTheBackdrop", 1, 0.5, true},
                                         PaintCase{"OverNothing", 1, 1, false},
                                         PaintCase{"OverNothingAtDoubleDensity", 2, 0.5, false}),
                         [](const testing::TestParamInfo<PaintCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(FramePaintingTest, TheBackdropMakesEveryPaintedPixelOpaque) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    FrameRenderer renderer;
    renderer.render(*clock, QSize(120, 120), 1, at(0, 0));
    QImage backdrop(120, 120, QImage::Format_RGB32);
    backdrop.fill(qRgb(48, 96, 192));
    QImage window(120, 120, QImage::Format_ARGB32_Premultiplied);
    paint(window, renderer.frame(), backdrop, QRect(0, 0, 120, 120), 0.75);
    // A corner the clock leaves transparent shows the backdrop as it is, and nothing shows
    // black where the frame is translucent.
    EXPECT_EQ(window.pixel(0, 0), qRgb(48, 96, 192));
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            ASSERT_EQ(qAlpha(window.pixel(x, y)), 255) << x << "," << y;
        }
    }
}

// Only X11 has root background pixmaps; elsewhere, and on the offscreen platform of the tests,
// the window is painted over transparent pixels as before.
TEST(DesktopBackdropTest, NoBackdropOffX11) {
    QWidget window;
    DesktopBackdrop backdrop(window);
    window.resize(120, 80);
    window.show();
    window.move(30, 40);
    EXPECT_TRUE(backdrop.image().isNull());
}

} // namespace
