// Whether a file chosen as the clock's background can be shown, and if not, why.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Empty when the file is an image the clock can show; otherwise the reason, as a sentence
// part for a message ("the file is empty").
QString backgroundRefusal(const QString& path);
// The file's picture scaled into within, its aspect kept, for the background chooser's
// preview; null when the clock could not show it as its background.
QImage backgroundPreview(const QString& path, const QSize& within);
