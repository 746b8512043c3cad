// What lies at the settings file's path: whether the store may use it, moving it aside whole
// when not, and why a write to it failed.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

class SettingsFile {
public:
    // Settings files hold a few hundred bytes; one larger than this was not written by us.
    static constexpr qint64 kMaxBytes = 1 << 20;

    // Empty when the store may read and write the path (nothing there is fine too); else why
    // not, in the user's language. Reads only a regular file, and never waits on a FIFO or
    // device. A link counts as what it leads to.
    static QString whyUnusable(const QString& path);
    // The bytes of the file at the path, when it is a regular file of at most kMaxBytes;
    // never waits on a FIFO or device.
    static std::optional<QByteArray> read(const QString& path);
    // Whether the bytes read as settings as the store writes them: sections of plain names,
    // each holding name=value lines, with blank and comment lines between.
    static bool isSettingsText(QByteArrayView bytes);
    // Moves what stands at the path (a link itself, never its target) aside under a dated
    // name, so nothing of it is lost; the new name, or empty when it could not be moved.
    static QString moveAside(const QString& path);
    // Why a write to the path failed, as far as the system tells, in the user's language.
    static QString whyNotWritten(const QString& path);
    // Why the path is no longer a file the store may write (something else was put in its
    // place); empty when it is.
    static QString whyNotWritable(const QString& path);
};
