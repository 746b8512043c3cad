// The schemes the user loaded or saved last, which the editor's Load offers.
#pragma once

#include "velmora_export.h"

#include <QString>
#include <QStringList>

class SettingsStore;

class VELMORA_EXPORT RecentSchemes {
public:
    static constexpr int kKept = 8;

    // The schemes used last that are still there, newest first: the list the settings keep,
    // and the scheme loaded last.
    static QStringList read(const SettingsStore& settings);
    // Puts a scheme first, once; a name with a line break is not kept.
    static void add(SettingsStore& settings, const QString& path);
};
