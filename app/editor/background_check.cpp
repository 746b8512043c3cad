// Whether a file chosen as the clock's background can be shown, and if not, why.
#include "app/editor/background_check.h"

#include "model/byte_stream.h"
#include "model/file_property.h"
#include "render/bounded_image_decoder.h"
#include "render/qt_text.h"

#include <QCoreApplication>
#include <cerrno>

namespace {

// The file's bytes as a scheme would carry them; the reason when it cannot carry them.
QString readCarriable(const QString& path, QByteArray& bytes) {
    // Opened as the scheme carries it: a regular file only, never waiting on a FIFO, and by
    // its bytes, so that a name that is not UTF-8 is found too.
    FileByteStream file(qStringToPath(path), FileByteStream::Mode::Read);
    if (!file.isOpen()) {
        return file.openErrno() == ENOENT
                   ? QCoreApplication::translate("BackgroundCheck", "the file does not exist")
                   : QCoreApplication::translate("BackgroundCheck", "the file cannot be read");
    }
    if (file.remaining() > FileProperty::kMaxCarriedBytes) {
        return QCoreApplication::translate("BackgroundCheck", "the file is larger than %1 MB")
            .arg(FileProperty::kMaxCarriedBytes / (1024 * 1024));
    }
    bytes = QByteArray(static_cast<qsizetype>(file.remaining()), Qt::Uninitialized);
    if (file.read(bytes.data(), static_cast<std::size_t>(bytes.size())) !=
        static_cast<std::size_t>(bytes.size())) {
        return QCoreApplication::translate("BackgroundCheck", "the file cannot be read");
    }
    return {};
}

} // namespace

QString backgroundRefusal(const QString& path) {
    QByteArray bytes;
    if (QString why = readCarriable(path, bytes); !why.isEmpty()) {
        return why;
    }
    // Decoded as the clock will decode it, within the same budget.
    const std::optional<QString> why = reasonImageCannotBeShown(bytes);
    return why.value_or(QString());
}

QImage backgroundPreview(const QString& path, const QSize& within) {
    QByteArray bytes;
    if (!readCarriable(path, bytes).isEmpty()) {
        return {};
    }
    // The clock's budget, but a short wait: the user is moving through a list of files.
    ImageDecodeBudget budget;
    budget.keepWithin = within;
    budget.time = std::chrono::milliseconds(1500);
    return BoundedImageDecoder(budget).decode(bytes).image;
}
