// LayerShellSurface: the pixels it hands the compositor, the input it takes, and a clean
// refusal where there is no compositor.
#include "app/layer_shell_surface.h"

#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

QImage frameOf(int w, int h, QRgb fill) {
    QImage frame(w, h, QImage::Format_ARGB32_Premultiplied);
    frame.fill(fill);
    return frame;
}

struct CopyRow {
    const char* name;
    QRgb pixel;
    int alpha;
    std::uint32_t expected;
};
void PrintTo(const CopyRow& row, std::ostream* out) {
    *out << row.name;
}

class CopyScaledTest : public testing::TestWithParam<CopyRow> {};

TEST_P(CopyScaledTest, ScalesEveryChannelOfTheBoxOnlyAndLeavesTheRest) {
    const CopyRow& row = GetParam();
    const QImage frame = frameOf(6, 5, row.pixel);
    constexpr std::uint32_t kUntouched = 0x12345678;
    std::vector<std::uint32_t> buffer(6 * 5, kUntouched);
    LayerShellSurface::copyScaled(frame, QRect(1, 2, 3, 2), row.alpha, buffer.data(), 6);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x <= 3 && y >= 2 && y <= 3;
            EXPECT_EQ(buffer[y * 6 + x], inside ? row.expected : kUntouched) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Alphas, CopyScaledTest,
    testing::Values(CopyRow{"opaque_as_is", 0xff204060, 255, 0xff204060},
                    CopyRow{"half_rounds_to_nearest", 0xff204060, 128, 0x80102030},
                    CopyRow{"premultiplied_stays_premultiplied", 0x80402010, 128, 0x40201008},
                    CopyRow{"zero_clears", 0xffffffff, 0, 0},
                    CopyRow{"out_of_range_clamps", 0xff204060, 400, 0xff204060}),
    [](const testing::TestParamInfo<CopyRow>& info) { return info.param.name; });

TEST(CopyScaled, ABoxPastTheFrameCopiesOnlyTheFramesPart) {
    const QImage frame = frameOf(4, 4, 0xffffffff);
    std::vector<std::uint32_t> buffer(4 * 4, 0);
    LayerShellSurface::copyScaled(frame, QRect(2, 2, 10, 10), 255, buffer.data(), 4);
    EXPECT_EQ(buffer[3 * 4 + 3], 0xffffffffu);
    EXPECT_EQ(buffer[1 * 4 + 1], 0u);
}

TEST(OpaqueRegion, TakesInputExactlyWhereThereIsAlpha) {
    QImage frame = frameOf(8, 4, 0);
    frame.setPixel(1, 0, 0x01000000);
    frame.setPixel(2, 0, 0xff000000);
    frame.setPixel(6, 0, 0xff000000);
    frame.setPixel(7, 3, 0xff000000);
    const QRegion region = LayerShellSurface::opaqueRegion(frame, 1);
    EXPECT_EQ(region, QRegion(QRect(1, 0, 2, 1)) + QRect(6, 0, 1, 1) + QRect(7, 3, 1, 1));
}

TEST(OpaqueRegion, AtScaleTwoABlockWithAnyAlphaTakesInputInLogicalPixels) {
    QImage frame = frameOf(8, 6, 0);
    frame.setPixel(3, 1, 0xff000000); // block (1, 0)
    frame.setPixel(4, 5, 0x10000000); // block (2, 2)
    const QRegion region = LayerShellSurface::opaqueRegion(frame, 2);
    EXPECT_EQ(region, QRegion(QRect(1, 0, 1, 1)) + QRect(2, 2, 1, 1));
}

TEST(OpaqueRegion, ATransparentOrEmptyFrameTakesNoInput) {
    EXPECT_TRUE(LayerShellSurface::opaqueRegion(frameOf(5, 5, 0), 1).isEmpty());
    EXPECT_TRUE(LayerShellSurface::opaqueRegion(QImage(), 1).isEmpty());
    EXPECT_TRUE(LayerShellSurface::opaqueRegion(frameOf(5, 5, 0xff000000), 0).isEmpty());
}

TEST(LayerShellSurfaceConnect, WithoutACompositorItFailsWithAReason) {
    const QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    setenv("XDG_RUNTIME_DIR", qPrintable(runtime.path()), 1);
    setenv("WAYLAND_DISPLAY", "velmora-no-such-display", 1);
    std::string whyNot;
    EXPECT_EQ(LayerShellSurface::connect(whyNot), nullptr);
    EXPECT_NE(whyNot.find("no Wayland display"), std::string::npos) << whyNot;
}

} // namespace
