// Which pixels of the clock's window take the mouse: those the frame draws anything on.
#include "app/presentation/input_shape.h"

#include <QBitmap>
#include <algorithm>
#include <vector>

QImage InputShape::emptyBits(const QSize& logicalSize) {
    QImage bits(logicalSize, QImage::Format_MonoLSB);
    // Index 1 is black, which a bitmap counts as inside the region.
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    bits.fill(0);
    return bits;
}

// Each bit takes the alpha of the frame pixel nearest to its centre, so a frame drawn at a
// higher density than the window still gives one bit per window pixel. The bits are compared
// and written a byte at a time: this runs over the changed boxes every second.
bool InputShape::update(QImage& bits, const QImage& frame, const QRect& area) {
    const QRect inside = area & bits.rect();
    if (inside.isEmpty() || frame.isNull()) {
        return false;
    }
    const auto nearest = [](qint64 i, qint64 from, qint64 to) {
        return static_cast<int>((2 * i + 1) * to / (2 * from));
    };
    // The frame's column under each bit of the area, worked out once rather than per row; none
    // where the frame has a pixel for each bit.
    const bool oneToOne = frame.size() == bits.size();
    std::vector<int> columns;
    if (!oneToOne) {
        columns.resize(static_cast<std::size_t>(inside.width()));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            columns[static_cast<std::size_t>(x - inside.left())] =
                nearest(x, bits.width(), frame.width());
        }
    }
    bool changed = false;
    uchar* out = bits.scanLine(inside.top());
    const qsizetype outLine = bits.bytesPerLine();
    for (int y = inside.top(); y <= inside.bottom(); ++y, out += outLine) {
        const int frameY = oneToOne ? y : nearest(y, bits.height(), frame.height());
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(frameY));
        const int* column = columns.data();
        for (int x = inside.left(); x <= inside.right();) {
            const int byte = x >> 3;
            const int last = std::min(inside.right(), x | 7);
            const auto mask = static_cast<uchar>(((1u << (last - x + 1)) - 1) << (x & 7));
            unsigned wanted = 0;
            if (oneToOne) {
                for (; x <= last; ++x) {
                    wanted |= unsigned{qAlpha(line[x]) != 0} << (x & 7);
                }
            } else {
                for (; x <= last; ++x, ++column) {
                    wanted |= unsigned{qAlpha(line[*column]) != 0} << (x & 7);
                }
            }
            if ((out[byte] & mask) != static_cast<uchar>(wanted)) {
                out[byte] = static_cast<uchar>((out[byte] & ~mask) | wanted);
                changed = true;
            }
        }
    }
    return changed;
}

QRegion InputShape::region(const QImage& bits) {
    return QRegion(QBitmap::fromImage(bits));
}
