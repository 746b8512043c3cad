// Bounded image decoding: refusals with their reasons, the scan bomb, the time budget, the
// kept size.
#include "render/bounded_image_decoder.h"
#include "tests/image_bombs.h"

#include <atomic>
#include <gtest/gtest.h>

namespace {

using namespace image_bombs;

// Counts what Qt and the image libraries would print.
std::atomic<int> messages{0};
void countMessages(QtMsgType, const QMessageLogContext&, const QString&) {
    ++messages;
}

struct RefusalRow {
    const char* name;
    QByteArray (*bytes)();
    ImageRefusal refusal;
    const char* reasonStart;
};

class RefusalTest : public testing::TestWithParam<RefusalRow> {};

TEST_P(RefusalTest, IsRefusedQuietlyWithItsReason) {
    const RefusalRow& row = GetParam();
    messages = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countMessages);
    const DecodedImage decoded = BoundedImageDecoder().decode(row.bytes());
    qInstallMessageHandler(previous);
    EXPECT_EQ(decoded.refusal, row.refusal);
    EXPECT_TRUE(decoded.image.isNull());
    EXPECT_TRUE(decoded.reason.startsWith(QLatin1String(row.reasonStart)))
        << decoded.reason.toStdString();
    EXPECT_EQ(messages.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    testing::Values(RefusalRow{"Empty", [] { return QByteArray(); }, ImageRefusal::Empty, "empty"},
                    RefusalRow{"Text", [] { return QByteArray("just some words, no picture"); },
                               ImageRefusal::NotAnImage, "not an image"},
                    RefusalRow{"PngOfNoPixels", [] { return pngDeclaring(0, 0); },
                               ImageRefusal::NotAnImage, "not an image"},
                    RefusalRow{"PngCutShort",
                               [] {
                                   const QByteArray whole = encoded(gradient(64, 64), "png");
                                   return whole.left(whole.size() / 2);
                               },
                               ImageRefusal::Truncated, "truncated"},
                    RefusalRow{"JpegCutShort",
                               [] {
                                   const QByteArray whole = encoded(gradient(64, 64), "jpeg");
                                   return whole.left(whole.size() / 2);
                               },
                               ImageRefusal::Truncated, "truncated"},
                    RefusalRow{"PngDeclaringAHugeSize", [] { return pngDeclaring(30000, 30000); },
                               ImageRefusal::OverSizeLimit, "over the size limit: 30000 x 30000"},
                    RefusalRow{"JpegScanBomb", [] { return jpegScanBomb(5600, 20000); },
                               ImageRefusal::OverSizeLimit,
                               "over the size limit: 5600 x 5600 pixels in"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoundedImageDecoderTest, OrdinaryImagesDecodeAsPremultipliedArgb) {
    // A format other than PNG and JPEG is found from its bytes.
    for (const QByteArray& bytes :
         {encoded(gradient(40, 30), "png"), encoded(gradient(40, 30), "jpeg", true),
          encoded(gradient(40, 30), "bmp")}) {
        const DecodedImage decoded = BoundedImageDecoder().decode(bytes);
        ASSERT_TRUE(decoded.ok()) << decoded.reason.toStdString();
        EXPECT_EQ(decoded.image.size(), QSize(40, 30));
        EXPECT_EQ(decoded.declared, QSize(40, 30));
        EXPECT_EQ(decoded.image.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(reasonImageCannotBeShown(bytes) == std::nullopt);
    }
    // The declared work, where the headers were read.
    EXPECT_EQ(BoundedImageDecoder().decode(encoded(gradient(40, 30), "png")).pixelScans, 1200);
    EXPECT_EQ(BoundedImageDecoder().decode(encoded(gradient(40, 30), "bmp")).pixelScans, 0);
    const std::int64_t progressive =
        BoundedImageDecoder().decode(encoded(gradient(40, 30), "jpeg", true)).pixelScans;
    EXPECT_GT(progressive, 1200) << "a progressive JPEG counts each scan";
    EXPECT_EQ(progressive % 1200, 0);
    EXPECT_EQ(reasonImageCannotBeShown("no image").value_or(QString()), "not an image");
}

TEST(BoundedImageDecoderTest, LargeImagesAreKeptWithinTheKeepSizeInTheirAspect) {
    ImageDecodeBudget budget;
    budget.keepWithin = QSize(100, 100);
    for (const char* format : {"png", "jpeg"}) {
        const DecodedImage decoded =
            BoundedImageDecoder(budget).decode(encoded(gradient(400, 200), format));
        ASSERT_TRUE(decoded.ok()) << format;
        EXPECT_EQ(decoded.image.size(), QSize(100, 50)) << format;
        EXPECT_EQ(decoded.declared, QSize(400, 200)) << format;
    }
    const DecodedImage small = BoundedImageDecoder(budget).decode(encoded(gradient(40, 60), "png"));
    EXPECT_EQ(small.image.size(), QSize(40, 60));
}

// The budgets hold to the pixel: as many pixels (times scans) as allowed decode, one more row
// is refused by its headers alone.
TEST(BoundedImageDecoderTest, BudgetsHoldToThePixel) {
    ImageDecodeBudget budget;
    budget.maxPixels = 100 * 100;
    for (const char* format : {"png", "jpeg"}) {
        EXPECT_TRUE(BoundedImageDecoder(budget).decode(encoded(gradient(100, 100), format)).ok())
            << format;
        const DecodedImage over =
            BoundedImageDecoder(budget).decode(encoded(gradient(100, 101), format));
        EXPECT_EQ(over.refusal, ImageRefusal::OverSizeLimit) << format;
        EXPECT_EQ(over.reason.toStdString(), "over the size limit: 100 x 101 pixels") << format;
    }

    // A JPEG of two scans counts its pixels twice.
    QByteArray twoScans = encoded(gradient(64, 64, QImage::Format_Grayscale8), "jpeg");
    const qsizetype scan = twoScans.indexOf("\xFF\xDA");
    const qsizetype end = twoScans.lastIndexOf("\xFF\xD9");
    ASSERT_GT(scan, 0);
    ASSERT_GT(end, scan);
    twoScans.insert(end, twoScans.mid(scan, end - scan));
    ImageDecodeBudget scans;
    scans.maxPixelScans = 2 * 64 * 64 - 1;
    const DecodedImage refused = BoundedImageDecoder(scans).decode(twoScans);
    EXPECT_EQ(refused.refusal, ImageRefusal::OverSizeLimit);
    EXPECT_TRUE(refused.reason.endsWith(QLatin1String(" in 2 scans")))
        << refused.reason.toStdString();
}

// Past the work budget, the time budget still holds: the caller gets its answer on time and
// the decode left behind stops reading.
TEST(BoundedImageDecoderTest, ADecodeOverItsTimeIsAbandonedOnTime) {
    ImageDecodeBudget budget;
    budget.maxPixelScans = INT64_MAX;
    budget.time = std::chrono::milliseconds(100);
    budget.keepWithin = QSize(64, 64);
    const BoundedImageDecoder decoder(budget);
    const QByteArray bomb = jpegScanBomb(4000, 20000);
    const QtMessageHandler previous = qInstallMessageHandler(countMessages);
    const auto start = std::chrono::steady_clock::now();
    const DecodedImage decoded = decoder.decode(bomb);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(decoded.refusal, ImageRefusal::TooSlow);
    EXPECT_EQ(decoded.reason, "takes too long to decode");
    EXPECT_LT(took, std::chrono::milliseconds(400));
    EXPECT_TRUE(decoder.waitForAbandoned(std::chrono::seconds(20)));
    qInstallMessageHandler(previous);
}

} // namespace
