// Counting the pixels in which two pictures of the same size differ, for reference-image tests.
#pragma once

#include <QImage>
#include <cstdlib>

// Pixels whose channels differ by more than `tolerance` in any of the four.
inline int differentPixels(const QImage& a, const QImage& b, int tolerance) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance ||
                std::abs(qAlpha(p) - qAlpha(q)) > tolerance) {
                ++count;
            }
        }
    }
    return count;
}
