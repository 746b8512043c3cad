// The file dialogs of the customize dialog's Save As and Load, and the folders they offer.
#include "app/dialogs/scheme_file_dialog.h"

#include "app/desktop/settings.h"
#include "app/desktop/user_path.h"
#include "app/dialogs/scheme_chooser.h"
#include "model/settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

QString SchemeFileDialog::run(QWidget* parent, const Request& request) {
    QFileDialog dialog(parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setNameFilter(QCoreApplication::translate("COptionsDial", "Velmoras (*.Velmora)"));
    dialog.setDefaultSuffix(suffix());
    dialog.setDirectory(request.folder);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.places.isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        for (const QString& place : request.places) {
            const QUrl url = QUrl::fromLocalFile(place);
            if (!places.contains(url)) {
                places.append(url);
            }
        }
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return UserPath::fromDialog(dialog.selectedFiles().constFirst());
}

QString SchemeFileDialog::startFolder(const SettingsStore& settings) {
    const QString last = QString::fromStdU16String(settings.readText(settings::kSchemeLoaded));
    if (!last.isEmpty()) {
        const QFileInfo file(last);
        if (file.absoluteDir().exists()) {
            return file.absolutePath();
        }
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/velmora/schemes");
    QDir().mkpath(folder);
    return folder;
}

QStringList SchemeFileDialog::exampleSchemes() {
    return SchemeChooser::schemeFiles({examplesFolder()});
}

QString SchemeFileDialog::examplesFolder() {
    QStringList candidates;
    candidates.append(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/" VELMORA_DATA_FROM_BIN "/schemes"));
    // The build tree's, for a program run where it was built.
    candidates.append(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/../resources/gallery"));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (data != own) {
            candidates.append(data + QStringLiteral("/velmora/schemes"));
        }
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            return QDir(candidate).canonicalPath();
        }
    }
    return {};
}
