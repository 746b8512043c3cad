// The program's UTF-16 text and paths as Qt strings.
#include "render/qt_text.h"

#include "model/utf.h"

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString pathToQString(const std::filesystem::path& path) {
    return toQString(fromPath(path));
}

std::filesystem::path qStringToPath(const QString& text) {
    return toPath(text.toStdU16String());
}
