// The program's UTF-16 text as Qt strings.
#include "render/qt_text.h"

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
