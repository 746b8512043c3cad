// Frames put straight into the window: the same pixels as the window's own painting, in
// requests the server accepts.
#include "app/desktop/settings.h"
#include "app/window/velmora_dlg.h"
#include "app/x11/x11_frame_presenter.h"
#include "tests/app/window/clock_window_probe.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage packedImage(const std::vector<std::uint32_t>& rows, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        std::copy_n(rows.data() + static_cast<std::ptrdiff_t>(y) * size.width(), size.width(),
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

// Whatever the overall alpha, a packed box holds what the window's paint event shows there.
TEST(X11FramePresenterTest, PackedPixelsAreThoseTheWindowPaints) {
    QTemporaryDir folder;
    Settings settings(folder.filePath("clock.conf"));
    for (int alpha : {255, 166, 1, 0}) {
        settings.writeInt(settings::kOverallAlpha, alpha);
        CVelmoraDlg window(settings);
        const ClockWindowProbe probe(window);
        window.initialize();
        const QImage painted =
            window.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRect box(37, 90, 61, 45);
        std::vector<std::uint32_t> rows;
        // A stored 0 is shown as the menu's faintest step, never as an invisible clock.
        X11FramePresenter::packRows(probe.lastFrame(), box, probe.view().overallAlpha, rows);
        ASSERT_EQ(rows.size(), 61u * 45u);
        EXPECT_EQ(packedImage(rows, box.size()), painted.copy(box)) << "alpha " << alpha;
    }
}

// At a higher density each pixel of the frame is one pixel of the window: nothing is scaled.
TEST(X11FramePresenterTest, PacksDevicePixelsAtAnyDensity) {
    QImage frame(40, 30, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            frame.setPixel(x, y, qPremultiply(qRgba(x * 6, y * 8, 99, 55 + x + y)));
        }
    }
    frame.setDevicePixelRatio(2);
    const QRect box(5, 3, 20, 20);
    for (int alpha : {255, 128}) {
        std::vector<std::uint32_t> atTwo;
        X11FramePresenter::packRows(frame, box, alpha, atTwo);
        QImage flat = frame;
        flat.setDevicePixelRatio(1);
        std::vector<std::uint32_t> atOne;
        X11FramePresenter::packRows(flat, box, alpha, atOne);
        EXPECT_EQ(atTwo, atOne) << "alpha " << alpha;
    }
    // A box reaching past the frame packs only what lies inside it.
    std::vector<std::uint32_t> clipped;
    X11FramePresenter::packRows(frame, QRect(30, 20, 50, 50), 255, clipped);
    EXPECT_EQ(clipped.size(), 10u * 10u);
}

TEST(X11FramePresenterTest, RequestsStayWithinTheServersLimit) {
    struct Row {
        int width;
        std::uint64_t maxBytes;
    };
    for (const Row& row : {Row{200, 262140}, Row{1, 262140}, Row{3000, 16777212}, Row{7000, 262140},
                           Row{65529, 262140}}) {
        const int rows = X11FramePresenter::rowsPerRequest(row.width, row.maxBytes);
        const std::uint64_t rowBytes = static_cast<std::uint64_t>(row.width) * 4;
        ASSERT_GT(rows, 0) << row.width;
        EXPECT_LE(24 + rows * rowBytes, row.maxBytes) << row.width;
        // As many rows as fit, but no more than a request's 16-bit height takes.
        EXPECT_TRUE(24 + (rows + 1) * rowBytes > row.maxBytes || rows == 0x7FFF) << row.width;
    }
    EXPECT_EQ(X11FramePresenter::rowsPerRequest(0, 262140), 0);
    EXPECT_EQ(X11FramePresenter::rowsPerRequest(65530, 262140), 0);
}

TEST(X11FramePresenterTest, NoPresenterWithoutAnXServer) {
    QWidget window;
    window.winId();
    EXPECT_EQ(X11FramePresenter::forWindow(window), nullptr);
}

} // namespace
