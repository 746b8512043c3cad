// The file dialogs of the customize dialog's Save As and Load, and the folders they offer.
#pragma once

#include "velmora_export.h"

#include <QString>
#include <QStringList>

class QWidget;
class SettingsStore;

class VELMORA_EXPORT SchemeFileDialog {
public:
    // What a file dialog is asked for.
    struct Request {
        bool save = false;
        // Where it starts, and the file name it offers when saving.
        QString folder;
        QString fileName;
        // Extra folders offered beside the usual places.
        QStringList places;
    };

    // The file name suffix of schemes.
    static QString suffix() { return QStringLiteral("Velmora"); }
    // Runs Qt's file dialog, modal to the parent; the chosen file, or empty when cancelled.
    static QString run(QWidget* parent, const Request& request);
    // Where the file dialogs start: the folder of the last loaded scheme, else the user's
    // scheme folder, made when missing.
    static QString startFolder(const SettingsStore& settings);
    // The installed example schemes' folder, when there is one.
    static QString examplesFolder();
    // The example schemes in it, by name.
    static QStringList exampleSchemes();
};
