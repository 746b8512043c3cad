// Images that cost a decoder far more than their size, made from small images the tests write.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <cstdint>
#include <gtest/gtest.h>

namespace image_bombs {

inline QByteArray encoded(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

inline QImage gradient(int width, int height, QImage::Format format = QImage::Format_ARGB32) {
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgba(x * 255 / width, y * 255 / height, 128, 255));
        }
    }
    return image;
}

inline void putBigEndian(QByteArray& bytes, qsizetype at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * (count - 1 - i))) & 0xFF);
    }
}

// A PNG whose header declares another size; the checksum no longer matches, which only a
// decoder that got that far would notice.
inline QByteArray pngDeclaring(int width, int height) {
    QByteArray bytes = encoded(gradient(4, 4), "png");
    putBigEndian(bytes, 16, static_cast<std::uint32_t>(width), 4);
    putBigEndian(bytes, 20, static_cast<std::uint32_t>(height), 4);
    return bytes;
}

// A small progressive greyscale JPEG made to declare `side` x `side` pixels with its first
// scan repeated: each repeat makes a decoder pass over every block of the declared size.
inline QByteArray jpegScanBomb(int side, int repeats) {
    QByteArray bytes = encoded(gradient(64, 64, QImage::Format_Grayscale8), "jpeg", true);
    const qsizetype frame = bytes.indexOf("\xFF\xC2");
    EXPECT_GT(frame, 0) << "Qt wrote no progressive frame";
    putBigEndian(bytes, frame + 5, static_cast<std::uint32_t>(side), 2);
    putBigEndian(bytes, frame + 7, static_cast<std::uint32_t>(side), 2);
    const qsizetype scan = bytes.indexOf("\xFF\xDA");
    qsizetype end = scan + 2;
    while (end + 1 < bytes.size()) {
        const auto next = static_cast<unsigned char>(bytes[end + 1]);
        if (static_cast<unsigned char>(bytes[end]) == 0xFF && next != 0 &&
            !(next >= 0xD0 && next <= 0xD7)) {
            break;
        }
        ++end;
    }
    const QByteArray firstScan = bytes.mid(scan, end - scan);
    QByteArray repeated;
    repeated.reserve(firstScan.size() * repeats);
    for (int i = 0; i < repeats; ++i) {
        repeated += firstScan;
    }
    bytes.insert(end, repeated);
    return bytes;
}

} // namespace image_bombs
