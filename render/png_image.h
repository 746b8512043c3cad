// PNG images read without asking Qt's image plugins.
#pragma once

#include <QImage>

class QIODevice;
class QString;

// Qt finds the reader of an image by asking each image plugin, even when the format is named,
// which loads every plugin installed; a PNG has a reader built into Qt. Null when the file
// cannot be read or is no PNG.
QImage readPng(const QString& path);
QImage readPng(QIODevice& device);
