// Whether a file chosen as the clock's background can be shown, and if not, why.
#pragma once

#include <QString>

// Empty when the file is an image the clock can show; otherwise the reason, as a sentence
// part for a message ("the file is empty").
QString backgroundRefusal(const QString& path);
