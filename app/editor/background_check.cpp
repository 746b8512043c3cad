// Whether a file chosen as the clock's background can be shown, and if not, why.
#include "app/editor/background_check.h"

#include "model/file_property.h"
#include "render/bounded_image_decoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

QString backgroundRefusal(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return QCoreApplication::translate("BackgroundCheck", "the file does not exist");
    }
    if (static_cast<std::uint64_t>(info.size()) > FileProperty::kMaxCarriedBytes) {
        return QCoreApplication::translate("BackgroundCheck", "the file is larger than %1 MB")
            .arg(FileProperty::kMaxCarriedBytes / (1024 * 1024));
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return QCoreApplication::translate("BackgroundCheck", "the file cannot be read");
    }
    // Decoded as the clock will decode it, within the same budget.
    const std::optional<QString> why = reasonImageCannotBeShown(file.readAll());
    return why.value_or(QString());
}
