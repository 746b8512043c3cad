// The colour a new element gets: one that stands out against the clock's background.
#include "app/editor/stand_out_color.h"

#include "render/bounded_image_decoder.h"
#include "render/byte_view.h"

#include <QColor>
#include <QImage>
#include <algorithm>
#include <iterator>

namespace {

// The background's average colour, weighted by alpha; invalid for none or a transparent one.
QColor averageColor(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return {};
    }
    // Within the budget the clock decodes its background in: a hostile image costs this no
    // more than it costs the clock, and one the clock refuses has no colour here.
    ImageDecodeBudget budget;
    budget.keepWithin = QSize(64, 64);
    const DecodedImage decoded = BoundedImageDecoder(budget).decode(byteView(bytes));
    const QImage image =
        decoded.image.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    double r = 0;
    double g = 0;
    double b = 0;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const double alpha = qAlpha(pixel) / 255.0;
            r += qRed(pixel) * alpha;
            g += qGreen(pixel) * alpha;
            b += qBlue(pixel) * alpha;
            weight += alpha;
        }
    }
    if (weight < 1) {
        return {};
    }
    return QColor(static_cast<int>(r / weight), static_cast<int>(g / weight),
                  static_cast<int>(b / weight));
}

} // namespace

std::uint32_t standOutColor(std::span<const std::uint8_t> backgroundBytes) {
    constexpr std::uint32_t kCandidates[] = {0xFFE53935, 0xFF1E63E0, 0xFF1B9E4B, 0xFFFF8F00,
                                             0xFFC2188B, 0xFF000000, 0xFFFFFFFF};
    const QColor average = averageColor(backgroundBytes);
    if (!average.isValid()) {
        return kCandidates[0];
    }
    auto distance = [&](std::uint32_t argb) {
        const QColor c = QColor::fromRgba(argb);
        // Weighted as the eye weighs the channels.
        const int r = c.red() - average.red();
        const int g = c.green() - average.green();
        const int b = c.blue() - average.blue();
        return 3 * r * r + 4 * g * g + 2 * b * b;
    };
    return *std::max_element(
        std::begin(kCandidates), std::end(kCandidates),
        [&](std::uint32_t a, std::uint32_t b) { return distance(a) < distance(b); });
}
