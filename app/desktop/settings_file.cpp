// What lies at the settings file's path: whether the store may use it, moving it aside whole
// when not, and why a write to it failed.
#include "app/desktop/settings_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString notRegularReason(mode_t mode) {
    return S_ISDIR(mode) ? QCoreApplication::translate("SettingsFile", "it is a folder, not a file")
           : S_ISFIFO(mode)
               ? QCoreApplication::translate("SettingsFile", "it is a pipe (FIFO), not a file")
               : QCoreApplication::translate("SettingsFile",
                                             "it is a device or socket, not a file");
}

// QSettings writes section and key names with every character but these escaped.
bool isPlainName(QByteArrayView name) {
    if (name.isEmpty()) {
        return false;
    }
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' || c == '%' ||
                           c == '\\';
        if (!plain) {
            return false;
        }
    }
    return true;
}

// The bytes of a file opened without waiting: up to limit + 1 of them, so that a larger file
// shows itself. Sets error (errno) or mode (not a regular file) when there is nothing to read.
QByteArray readRegular(const QString& path, qint64 limit, int& error, mode_t& mode) {
    error = 0;
    mode = 0;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return {};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        mode = info.st_mode;
        ::close(fd);
        return {};
    }
    QByteArray bytes;
    char buffer[16384];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    ::close(fd);
    return bytes;
}

} // namespace

QString SettingsFile::whyUnusable(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat entry {};
    if (::lstat(name.constData(), &entry) != 0) {
        return {};
    }
    int error = 0;
    mode_t mode = 0;
    const QByteArray bytes = readRegular(path, kMaxBytes, error, mode);
    if (error == ENOENT || error == ELOOP) {
        // Only a link can be there and lead nowhere; written through, it would make a file
        // wherever it points.
        return QCoreApplication::translate("SettingsFile",
                                           "it is a link to a file that does not exist");
    }
    if (error != 0) {
        // Unreadable, say: the store begins empty and the first write tells the user.
        return {};
    }
    if (mode != 0) {
        return notRegularReason(mode);
    }
    if (bytes.size() > kMaxBytes) {
        return QCoreApplication::translate("SettingsFile", "it is larger than 1 MB");
    }
    if (!isSettingsText(bytes)) {
        return QCoreApplication::translate("SettingsFile", "it is not a settings file");
    }
    return {};
}

std::optional<QByteArray> SettingsFile::read(const QString& path) {
    int error = 0;
    mode_t mode = 0;
    QByteArray bytes = readRegular(path, kMaxBytes, error, mode);
    if (error != 0 || mode != 0 || bytes.size() > kMaxBytes) {
        return std::nullopt;
    }
    return bytes;
}

bool SettingsFile::isSettingsText(QByteArrayView bytes) {
    if (bytes.contains('\0')) {
        return false;
    }
    bool inSection = false;
    bool continued = false;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        const QByteArrayView line = bytes.sliced(start, end - start).trimmed();
        start = end + 1;
        // A value may go on over lines that end in a backslash.
        const bool continuing = continued;
        continued = line.endsWith('\\');
        if (continuing || line.isEmpty() || line.startsWith(';') || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith('[')) {
            if (!line.endsWith(']') || !isPlainName(line.sliced(1, line.size() - 2).trimmed())) {
                return false;
            }
            inSection = true;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals < 0 || !isPlainName(line.first(equals).trimmed())) {
            return false;
        }
    }
    return true;
}

QString SettingsFile::moveAside(const QString& path) {
    const QString stem = path + QStringLiteral(".broken-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = stem;
    for (int n = 2; QFileInfo::exists(target) && n < 100; ++n) {
        target = stem + '-' + QString::number(n);
    }
    // rename() would replace it.
    if (QFileInfo::exists(target)) {
        return {};
    }
    // rename() moves the entry itself: a link goes aside, what it points to stays untouched.
    return ::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0
               ? target
               : QString();
}

QString SettingsFile::whyNotWritable(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode)) {
        return {};
    }
    return notRegularReason(info.st_mode);
}

QString SettingsFile::whyNotWritten(const QString& path) {
    if (const QString why = whyNotWritable(path); !why.isEmpty()) {
        return why;
    }
    // The first folder on the way that exists decides whether the rest can be made.
    QFileInfo folder(QFileInfo(path).absolutePath());
    while (!folder.exists() && !folder.isRoot()) {
        folder = QFileInfo(folder.absolutePath());
    }
    const QByteArray folderName = QFile::encodeName(folder.absoluteFilePath());
    struct stat info {};
    if (::stat(folderName.constData(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        return systemReason(ENOTDIR);
    }
    const QByteArray file = QFile::encodeName(path);
    if (::access(file.constData(), F_OK) == 0 ? ::access(file.constData(), W_OK) != 0
                                              : ::access(folderName.constData(), W_OK) != 0) {
        return systemReason(errno);
    }
    struct statvfs space {};
    if (::statvfs(folderName.constData(), &space) == 0 && space.f_bavail == 0) {
        return systemReason(ENOSPC);
    }
    return QCoreApplication::translate("SettingsFile", "the system refused to write it");
}
