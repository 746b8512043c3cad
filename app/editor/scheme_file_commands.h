// The customize dialog's conversations with the user about scheme files: the questions it
// asks, Save As until a file is written, Load of a chosen file, and refusals.
#pragma once

#include "app/dialogs/scheme_file_dialog.h"

#include <QMessageBox>
#include <QString>
#include <functional>
#include <utility>

class Clock;
class COptionTreeItem;
class QWidget;
class SettingsStore;

class SchemeFileCommands {
public:
    using FileDialog = std::function<QString(const SchemeFileDialog::Request& request)>;
    using MessageBox = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons)>;

    // Dialogs open modal to the parent; the clock and the settings outlive this.
    SchemeFileCommands(QWidget& parent, Clock& clock, SettingsStore& settings);

    // Tests answer the file and message dialogs through these instead of a person.
    void setFileDialog(FileDialog dialog) { fileDialog_ = std::move(dialog); }
    void setMessageBox(MessageBox box) { messageBox_ = std::move(box); }

    // Before closing with unsaved edits of the scheme named `scheme` (a file name, or empty for
    // the built-in scheme): Save (as a file), Discard or Cancel (keep editing).
    QMessageBox::StandardButton askToDiscardChanges(const QString& scheme);
    // Whether the user confirms a change that replaces the scheme, named by its button.
    bool confirmReplacing(const QString& caption, const QString& question, const QString& action);
    // Asks for a file until the clock's scheme was written to one, which the clock then
    // starts with. The path written, or empty when the user gave up.
    QString saveAs();
    // Asks for a scheme and loads it into the clock, which is unchanged when the file cannot
    // be read (the user is told why). The path loaded, or empty.
    QString load();
    // Loads that scheme into the clock in the same way; whether it did.
    bool loadFile(const QString& path);
    // Refuses a file row's new background when it cannot be shown: the row is put back and
    // the user told why. True if refused.
    bool refuseUnusableBackground(COptionTreeItem* item);

private:
    QString askForFile(const SchemeFileDialog::Request& request);
    // Buttons named by what they do, for the standard buttons given.
    using ButtonNames = QList<std::pair<QMessageBox::StandardButton, QString>>;
    // The detail, where there is one, waits behind the box's "Show Details...".
    QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& caption,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    const QString& detail = {}, const ButtonNames& names = {});
    SchemeFileDialog::Request request(bool save) const;

    QWidget& parent_;
    Clock& clock_;
    SettingsStore& settings_;
    FileDialog fileDialog_;
    MessageBox messageBox_;
};
