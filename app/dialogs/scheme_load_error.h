// Why a scheme file could not be loaded, told in the user's language: what happened and what
// to do, with the reader's own words kept as the detail.
#pragma once

#include "velmora_export.h"

#include <QString>

struct ReadError;

struct VELMORA_EXPORT SchemeLoadError {
    // What happened, the file, and what the user can do.
    QString text;
    // The technical reason and where reading stopped, for those who want it.
    QString detail;

    static SchemeLoadError of(const QString& path, const ReadError& error);
    // Both in one text, where only one can be shown.
    QString whole() const {
        return detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail;
    }
};
