// COptionTreeFileDlg: the file row's choice of an open, save or folder dialog.
#include "optiontree/option_tree_file_dlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QStandardPaths>

namespace {

// The filter descriptions the program's file rows use, for the translations.
[[maybe_unused]] const char* const kFilterTexts[] = {
    QT_TRANSLATE_NOOP("OptionTree", "Images"),
    QT_TRANSLATE_NOOP("OptionTree", "All files (*.*)"),
};

} // namespace

COptionTreeFileDlg::COptionTreeFileDlg(Mode mode, QString initialPath, QString defaultExtension,
                                       const QString& filter, std::uint32_t flags)
    : mode_(mode), initialPath_(std::move(initialPath)), flags_(flags) {
    if (mode_ == Mode::Folder) {
        title_ = QCoreApplication::translate("OptionTree", "Select Folder");
        return;
    }
    defaultSuffix_ = std::move(defaultExtension);
    while (defaultSuffix_.startsWith(u'.')) {
        defaultSuffix_.remove(0, 1);
    }
    nameFilters_ = toNameFilters(filter);
}

QFileDialog::AcceptMode COptionTreeFileDlg::acceptMode() const {
    return mode_ == Mode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
}

QFileDialog::FileMode COptionTreeFileDlg::fileMode() const {
    switch (mode_) {
    case Mode::Folder:
        return QFileDialog::Directory;
    case Mode::Save:
        return QFileDialog::AnyFile;
    case Mode::Open:
        break;
    }
    if ((flags_ & FileDialogFlag::kAllowMultiSelect) != 0) {
        return QFileDialog::ExistingFiles;
    }
    return (flags_ & FileDialogFlag::kFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                          : QFileDialog::AnyFile;
}

QFileDialog::Options COptionTreeFileDlg::options() const {
    QFileDialog::Options result;
    if (mode_ == Mode::Folder) {
        result |= QFileDialog::ShowDirsOnly;
    }
    // Qt asks before overwriting unless told not to; the flag asks for the question.
    if (mode_ == Mode::Save && (flags_ & FileDialogFlag::kOverwritePrompt) == 0) {
        result |= QFileDialog::DontConfirmOverwrite;
    }
    if ((flags_ & FileDialogFlag::kNoDereferenceLinks) != 0) {
        result |= QFileDialog::DontResolveSymlinks;
    }
    return result;
}

std::optional<QStringList> COptionTreeFileDlg::exec(QWidget* parent) const {
    QFileDialog dialog(parent, title_);
    dialog.setAcceptMode(acceptMode());
    dialog.setFileMode(fileMode());
    dialog.setOptions(options());
    if (!nameFilters_.isEmpty()) {
        dialog.setNameFilters(nameFilters_);
    }
    addPreview(dialog);
    if (!defaultSuffix_.isEmpty()) {
        dialog.setDefaultSuffix(defaultSuffix_);
    }
    if (!initialPath_.isEmpty()) {
        const QFileInfo info(initialPath_);
        if (mode_ == Mode::Folder || info.isDir()) {
            dialog.setDirectory(initialPath_);
        } else if (info.isRelative() || !info.absoluteDir().exists()) {
            // Known only by name (bytes carried from another machine): the program's working
            // folder means nothing to the user, so start where pictures are usually kept.
            dialog.setDirectory(startFolder());
        } else {
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

QString COptionTreeFileDlg::startFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

void COptionTreeFileDlg::addPreview(QFileDialog& dialog) const {
    if (!preview_) {
        return;
    }
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr) {
        return;
    }
    auto* picture = new QLabel(&dialog);
    picture->setObjectName(QStringLiteral("preview"));
    picture->setAlignment(Qt::AlignCenter);
    picture->setFixedSize(kPreviewSide, kPreviewSide);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setWordWrap(true);
    // Beside the list and the places, above the name field.
    grid->addWidget(picture, 1, grid->columnCount(), 1, 1, Qt::AlignTop);
    const Preview preview = preview_;
    const auto show = [picture, preview](const QString& path) {
        const qreal ratio = picture->devicePixelRatioF();
        const QImage image = QFileInfo(path).isFile()
                                 ? preview(path, QSize(kPreviewSide, kPreviewSide) * ratio)
                                 : QImage();
        if (image.isNull()) {
            picture->setPixmap({});
            picture->setText(QCoreApplication::translate("OptionTree", "No preview"));
            return;
        }
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(ratio);
        picture->setPixmap(pixmap);
    };
    QObject::connect(&dialog, &QFileDialog::currentChanged, picture, show);
    show(initialPath_);
}

QStringList COptionTreeFileDlg::toNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(u'|');
    // Description and pattern pairs; the last "|" may be missing.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description =
            QCoreApplication::translate("OptionTree", parts[i].trimmed().toUtf8().constData());
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file, but here it would skip names without a dot.
            if (pattern == QStringLiteral("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        patterns.removeAll(QString());
        // A pair without patterns would show nothing: it is left out.
        if (patterns.isEmpty()) {
            continue;
        }
        const QString joined = patterns.join(u' ');
        if (description.endsWith(QStringLiteral("(*.*)")) && joined == QStringLiteral("*")) {
            QString text = description;
            text.chop(5);
            result.append(text + QStringLiteral("(*)"));
        } else if (description.endsWith(QStringLiteral("(") + joined + QStringLiteral(")")) ||
                   description.endsWith(QStringLiteral("(") + patterns.join(u';') +
                                        QStringLiteral(")"))) {
            // Qt reads the patterns from the last brackets: write them its way.
            QString text = description;
            text.chop(joined.size() + 2);
            result.append(text + QStringLiteral("(") + joined + QStringLiteral(")"));
        } else if (description.isEmpty()) {
            result.append(joined);
        } else {
            result.append(description + QStringLiteral(" (") + joined + QStringLiteral(")"));
        }
    }
    return result;
}
