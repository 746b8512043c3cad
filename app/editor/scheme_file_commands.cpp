// SchemeFileCommands: the customize dialog's questions, Save As and Load.
#include "app/editor/scheme_file_commands.h"

#include "app/dialogs/recent_schemes.h"
#include "app/dialogs/scheme_load_error.h"
#include "app/editor/background_check.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "optiontree/option_tree.h"
#include "optiontree/option_tree_item.h"
#include "render/qt_text.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

SchemeFileCommands::SchemeFileCommands(QWidget& parent, Clock& clock, SettingsStore& settings)
    : parent_(parent), clock_(clock), settings_(settings) {}

QMessageBox::StandardButton SchemeFileCommands::askToDiscardChanges(const QString& scheme) {
    const QString question =
        scheme.isEmpty()
            ? QCoreApplication::translate("COptionsDial",
                                          "Discard the changes to the built-in scheme?")
            : QCoreApplication::translate("COptionsDial", "Discard the changes to %1?").arg(scheme);
    // "Cancel" would be ambiguous right after the dialog's own Cancel button.
    return ask(
        QMessageBox::Warning, QCoreApplication::translate("COptionsDial", "Save changes?"),
        question + QStringLiteral("\n\n") +
            QCoreApplication::translate("COptionsDial",
                                        "Your changes are not saved in a scheme file."),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, {},
        {{QMessageBox::Save, QCoreApplication::translate("COptionsDial", "Save As...")},
         {QMessageBox::Discard, QCoreApplication::translate("COptionsDial", "Discard")},
         {QMessageBox::Cancel, QCoreApplication::translate("COptionsDial", "Keep Editing")}});
}

bool SchemeFileCommands::confirmReplacing(const QString& caption, const QString& question,
                                          const QString& action) {
    return ask(QMessageBox::Question, caption, question, QMessageBox::Ok | QMessageBox::Cancel, {},
               {{QMessageBox::Ok, action}}) == QMessageBox::Ok;
}

SchemeFileDialog::Request SchemeFileCommands::request(bool save) const {
    SchemeFileDialog::Request request;
    request.save = save;
    request.folder = SchemeFileDialog::startFolder(settings_);
    if (const QString examples = SchemeFileDialog::examplesFolder(); !examples.isEmpty()) {
        request.places.append(examples);
    }
    return request;
}

QString SchemeFileCommands::saveAs() {
    SchemeFileDialog::Request asked = request(true);
    asked.fileName = QStringLiteral("test.") + SchemeFileDialog::suffix();
    for (;;) {
        QString path = askForFile(asked);
        if (path.isEmpty()) {
            return {};
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QLatin1Char('.') + SchemeFileDialog::suffix();
        }
        std::string error;
        const std::filesystem::path target = qStringToPath(path);
        if (saveSchemeFile(clock_, target, &error)) {
            // The saved scheme is the one the clock starts with from now on.
            clock_.recordSchemePath(target, settings_);
            RecentSchemes::add(settings_, path);
            return path;
        }
        ask(QMessageBox::Warning, QCoreApplication::translate("COptionsDial", "File open error"),
            QCoreApplication::translate(
                "COptionsDial", "Can't access this file, please select another or permit access.") +
                (error.empty() ? QString()
                               : QStringLiteral("\n\n%1").arg(QString::fromStdString(error))),
            QMessageBox::Ok);
        asked.folder = QFileInfo(path).absolutePath();
        asked.fileName = QFileInfo(path).fileName();
    }
}

QString SchemeFileCommands::load() {
    const QString path = askForFile(request(false));
    return !path.isEmpty() && loadFile(path) ? path : QString();
}

bool SchemeFileCommands::loadFile(const QString& path) {
    ReadError error;
    // The file is read whole before the clock takes it over, so a bad file changes nothing.
    if (clock_.loadSchemeFile(qStringToPath(path), settings_, &error)) {
        RecentSchemes::add(settings_, path);
        return true;
    }
    const SchemeLoadError message = SchemeLoadError::of(path, error);
    ask(QMessageBox::Warning, QCoreApplication::translate("COptionsDial", "Load error"),
        message.text, QMessageBox::Ok, message.detail);
    return false;
}

bool SchemeFileCommands::refuseUnusableBackground(COptionTreeItem* item) {
    if (item == nullptr || item->kindCode() != COptionTreeItem::FileCode) {
        return false;
    }
    for (const auto& child : clock_.children()) {
        auto* file = asKind<FileProperty>(child.get());
        if (file == nullptr || file->row() != item) {
            continue;
        }
        const std::u16string chosen = item->text();
        if (chosen.empty() || chosen == file->sourcePath()) {
            return false;
        }
        const QString path = QString::fromStdU16String(chosen);
        const QString why = backgroundRefusal(path);
        if (why.isEmpty()) {
            return false;
        }
        // The row shows the image that stays while the user reads why.
        item->setText(file->sourcePath());
        item->tree()->redraw();
        ask(QMessageBox::Warning, QCoreApplication::translate("COptionsDial", "Image not usable"),
            QCoreApplication::translate(
                "COptionsDial", "%1\n\ncannot be the background: %2. The previous image stays.")
                .arg(QDir::toNativeSeparators(path), why),
            QMessageBox::Ok);
        return true;
    }
    return false;
}

QString SchemeFileCommands::askForFile(const SchemeFileDialog::Request& request) {
    return fileDialog_ ? fileDialog_(request) : SchemeFileDialog::run(&parent_, request);
}

QMessageBox::StandardButton SchemeFileCommands::ask(QMessageBox::Icon icon, const QString& caption,
                                                    const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    const QString& detail,
                                                    const ButtonNames& names) {
    if (messageBox_) {
        return messageBox_(icon, caption, detail.isEmpty() ? text : text + "\n\n" + detail,
                           buttons);
    }
    QMessageBox box(icon, caption, text, buttons, &parent_);
    box.setDetailedText(detail);
    for (const auto& [button, name] : names) {
        box.button(button)->setText(name);
    }
    box.setWindowModality(Qt::WindowModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
