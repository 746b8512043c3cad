// PNG images read without asking Qt's image plugins.
#include "render/png_image.h"

#include <QFile>
#include <QImageReader>

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
