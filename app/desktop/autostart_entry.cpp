// "Start with the desktop": the XDG autostart entry that starts one clock at login.
#include "app/desktop/autostart_entry.h"

#include "model/byte_stream.h"
#include "render/qt_text.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// An argument of an Exec line: quoted, with the characters that quoting does not cover
// escaped, when it holds anything but plain characters.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`%=");
    bool plain = !argument.isEmpty();
    for (QChar c : argument) {
        plain = plain && !reserved.contains(c);
    }
    if (plain) {
        return argument;
    }
    QString quoted;
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    // A literal percent sign is doubled in an Exec line, quoted or not; and the value is a
    // string first, whose own escaping doubles every backslash again.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A string value of a desktop entry: the characters the format escapes, escaped.
QString entryString(const QString& value) {
    QString escaped;
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QStringLiteral("\\\\");
            break;
        case '\n':
            escaped += QStringLiteral("\\n");
            break;
        case '\t':
            escaped += QStringLiteral("\\t");
            break;
        case '\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

bool isTrue(const QString& value) {
    return value.trimmed() == QLatin1String("true");
}

} // namespace

AutostartEntry::AutostartEntry(QString applicationName, QString program, QString clockName)
    : applicationName_(std::move(applicationName)), program_(std::move(program)),
      clockName_(std::move(clockName)) {}

QString AutostartEntry::folder() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // XDG base directories must be absolute: a relative one is ignored.
    if (config.isEmpty() || QDir::isRelativePath(config)) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/autostart");
}

QString AutostartEntry::filePath() const {
    return folder() + QLatin1Char('/') + applicationName_ + QStringLiteral(".desktop");
}

QString AutostartEntry::execLine() const {
    QString line = execArgument(program_);
    if (!clockName_.isEmpty()) {
        line += QStringLiteral(" --clock ") + execArgument(clockName_);
    }
    return line;
}

QString AutostartEntry::contents() const {
    const QString name = clockName_.isEmpty()
                             ? QStringLiteral("Velmora")
                             : QStringLiteral("Velmora (clock %1)").arg(clockName_);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=A freely shaped clock that floats on the desktop\n"
                          "Exec=%2\n"
                          // Once the program is gone, the session skips the entry rather than
                          // failing to start it at every login.
                          "TryExec=%3\n"
                          "Icon=velmora\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(name, execLine(), entryString(program_));
}

bool AutostartEntry::isEnabled() const {
    // A regular file only: the menu must not wait on a FIFO put in the entry's place.
    FileByteStream file(qStringToPath(filePath()), FileByteStream::Mode::Read);
    constexpr std::uint64_t kMaxEntryBytes = 64 * 1024;
    if (!file.isOpen() || file.remaining() > kMaxEntryBytes) {
        return false;
    }
    QByteArray bytes(static_cast<qsizetype>(file.remaining()), Qt::Uninitialized);
    bytes.resize(
        static_cast<qsizetype>(file.read(bytes.data(), static_cast<std::size_t>(bytes.size()))));
    // Desktops switch an entry off by marking it rather than removing it.
    bool inMainGroup = false;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || eq < 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1);
        if ((key == QLatin1String("Hidden") && isTrue(value)) ||
            (key == QLatin1String("X-GNOME-Autostart-enabled") && !isTrue(value))) {
            return false;
        }
    }
    return true;
}

bool AutostartEntry::setEnabled(bool enabled) const {
    if (!enabled) {
        return !QFile::exists(filePath()) || QFile::remove(filePath());
    }
    if (!QDir().mkpath(folder())) {
        return false;
    }
    // Never half an entry in place of a good one.
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(contents().toUtf8());
    return file.commit();
}
