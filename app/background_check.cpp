// Whether a file chosen as the clock's background can be shown, and if not, why.
#include "app/background_check.h"

#include "model/file_property.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

// Larger images are no clock's background, and decoding them would hold the clock up.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;

// A JPEG decoder shows a cut-off file as a grey-filled picture without complaint; a whole
// file ends with the end-of-image marker, give or take padding.
bool endsWithJpegEnd(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    constexpr qint64 kTail = 4096;
    file.seek(std::max<qint64>(0, file.size() - kTail));
    QByteArray tail = file.read(kTail);
    while (!tail.isEmpty() && (tail.back() == '\0' || tail.back() == '\n' || tail.back() == '\r')) {
        tail.chop(1);
    }
    return tail.endsWith("\xFF\xD9");
}

} // namespace

QString backgroundRefusal(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return QStringLiteral("the file does not exist");
    }
    if (!file.isFile() || !file.isReadable()) {
        return QStringLiteral("the file cannot be read");
    }
    if (file.size() == 0) {
        return QStringLiteral("the file is empty");
    }
    if (static_cast<std::uint64_t>(file.size()) > FileProperty::kMaxCarriedBytes) {
        return QStringLiteral("the file is larger than %1 MB")
            .arg(FileProperty::kMaxCarriedBytes / (1024 * 1024));
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        return QStringLiteral("it is not an image in a format Velmora can read");
    }
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPixels) {
        return QStringLiteral("the image is too large (%1 x %2 pixels)")
            .arg(size.width())
            .arg(size.height());
    }
    if (reader.format() == "jpeg" && !endsWithJpegEnd(path)) {
        return QStringLiteral("the image is truncated");
    }
    const QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        const QString why = reader.errorString();
        return why.isEmpty() ? QStringLiteral("the image cannot be decoded")
                             : QStringLiteral("the image cannot be decoded (%1)").arg(why);
    }
    return {};
}
