// PNG images read without asking Qt's image plugins.
#include "render/png_image.h"

#include <QFile>
#include <QImageReader>
#include <string_view>

namespace {

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

} // namespace

bool startsAsPng(QIODevice& device) {
    const QByteArray start = device.peek(static_cast<qint64>(kPngSignature.size()));
    return std::string_view(start.constData(), static_cast<std::size_t>(start.size())) ==
           kPngSignature;
}

QImage readPng(QIODevice& device) {
    QImageReader reader(&device, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage readPng(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return readPng(file);
}
