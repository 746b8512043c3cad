// The per-user settings store over QSettings, written through to disk on every change.
#include "app/desktop/settings.h"

#include "model/utf.h"
#include "render/qt_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

namespace {

QString keyPath(const SettingKey& key) {
    return QString::fromUtf8(key.section.data(), static_cast<qsizetype>(key.section.size())) + '/' +
           QString::fromStdString(key.name);
}

// Resolves the escapes and quotes of an INI value as QSettings does, but keeps every comma
// as a character: a text setting is one text, whatever it holds.
QString unescapedIniText(const QByteArray& raw) {
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QString text;
    qsizetype keep = 0;
    bool inQuotes = false;
    bool endsQuoted = false;
    qsizetype i = 0;
    auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) {
            ++i;
        }
    };
    skipSpaces();
    while (i < raw.size()) {
        char c = raw[i];
        if (c == '"') {
            ++i;
            endsQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
            }
            keep = text.size();
            continue;
        }
        if (c != '\\') {
            qsizetype end = i + 1;
            while (end < raw.size() && raw[end] != '\\' && raw[end] != '"') {
                ++end;
            }
            text += QString::fromUtf8(raw.constData() + i, end - i);
            i = end;
            continue;
        }
        if (++i >= raw.size()) {
            break;
        }
        char escaped = raw[i++];
        bool known = false;
        for (const auto& [code, value] : kEscapes) {
            if (escaped == code) {
                text += QChar(value);
                known = true;
            }
        }
        int base = escaped == 'x' ? 16 : escaped >= '0' && escaped <= '7' ? 8 : 0;
        if (!known && base != 0) {
            char16_t unit = base == 8 ? static_cast<char16_t>(escaped - '0') : 0;
            while (i < raw.size()) {
                char d = raw[i];
                int digit = d >= '0' && d <= '9'   ? d - '0'
                            : d >= 'a' && d <= 'f' ? d - 'a' + 10
                            : d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                   : -1;
                if (digit < 0 || digit >= base) {
                    break;
                }
                unit = static_cast<char16_t>(unit * base + digit);
                ++i;
            }
            text += QChar(unit);
        } else if (!known && (escaped == '\n' || escaped == '\r') && i < raw.size() &&
                   (raw[i] == '\n' || raw[i] == '\r') && raw[i] != escaped) {
            // A line continuation: the line break is no part of the text.
            ++i;
        }
        keep = text.size();
    }
    if (!endsQuoted) {
        while (text.size() > keep && (text.back() == ' ' || text.back() == '\t')) {
            text.chop(1);
        }
    }
    return text;
}

// A backslash not itself escaped by one before it.
bool endsWithLoneBackslash(const QByteArray& line) {
    qsizetype count = 0;
    while (count < line.size() && line[line.size() - 1 - count] == '\\') {
        ++count;
    }
    return count % 2 == 1;
}

// The raw value of a key in an INI file, the last one when the key repeats; nothing when
// the key is not there.
std::optional<QByteArray> rawIniValue(const QString& filePath, const SettingKey& key) {
    const std::optional<QByteArray> bytes = SettingsFile::read(filePath);
    if (!bytes.has_value()) {
        return std::nullopt;
    }
    QByteArray section(key.section.data(), static_cast<qsizetype>(key.section.size()));
    QByteArray name = QByteArray::fromStdString(key.name);
    QList<QByteArray> lines = QByteArray(*bytes).replace('\r', "").split('\n');
    QByteArray current;
    std::optional<QByteArray> found;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        // A backslash at the end of a line continues the value on the next one.
        while (endsWithLoneBackslash(line) && n + 1 < lines.size()) {
            line += '\n' + lines[++n];
        }
        QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';')) {
            continue;
        }
        if (trimmed.startsWith('[')) {
            current = trimmed.mid(1, trimmed.indexOf(']') - 1).trimmed();
            continue;
        }
        qsizetype equals = line.indexOf('=');
        if (equals < 0 || current != section || line.left(equals).trimmed() != name) {
            continue;
        }
        // A semicolon outside quotes starts a comment.
        QByteArray value = line.mid(equals + 1);
        bool inQuotes = false;
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == '\\') {
                ++i;
            } else if (value[i] == '"') {
                inQuotes = !inQuotes;
            } else if (value[i] == ';' && !inQuotes) {
                value.truncate(i);
                break;
            }
        }
        found = value;
    }
    return found;
}

// Whether UTF-8, which the file is written in, can hold the text: a file name's bytes that
// are not UTF-8 reach here as lone surrogates (see fromPath).
bool fitsUtf8(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            return false;
        }
    }
    return true;
}

} // namespace

Settings::Settings() : Settings(ClockName{}) {}

Settings::Settings(const ClockName& clock) : Settings(filePathFor(applicationName(clock.name))) {}

QString Settings::filePathFor(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           kOrganisation + '/' + application + QStringLiteral(".conf");
}

QString Settings::applicationName(const QString& clockName) {
    const QString executable = executableBaseName();
    return clockName.isEmpty() ? executable : executable + QLatin1Char('-') + clockName;
}

Settings::Settings(const QString& filePath) : filePath_(filePath) {
    // QSettings reads the file by name and would wait for ever on a FIFO; it reads lines
    // without '=' as nothing and would rewrite another program's file whole at the first
    // change. What it is not to read goes aside first.
    if (const QString why = SettingsFile::whyUnusable(filePath); !why.isEmpty()) {
        movedAside_ = SettingsFile::moveAside(filePath);
        movedAsideWhy_ = why;
        if (movedAside_.isEmpty()) {
            // Still in its place: never opened, the store lives in memory for this run.
            unusable_ = why;
        }
    }
    settings_ = open(filePath);
    if (settings_->status() == QSettings::FormatError) {
        settings_.reset();
        movedAside_ = SettingsFile::moveAside(filePath);
        movedAsideWhy_ = QCoreApplication::translate("SettingsFile", "it could not be parsed");
        settings_ = open(filePath);
    }
}

std::unique_ptr<QSettings> Settings::open(const QString& filePath) const {
    // Only the user's own file: not the organisation-wide or system fallbacks QSettings
    // would read too, which nobody checked.
    auto settings = std::make_unique<QSettings>(unusable_.isEmpty() ? filePath : QString(),
                                                QSettings::IniFormat);
    settings->setFallbacksEnabled(false);
    return settings;
}

QString Settings::executableBaseName() {
    if (QCoreApplication::instance() != nullptr) {
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget())
        .completeBaseName();
}

std::int32_t Settings::readInt(const SettingKey& key, std::int32_t fallback) const {
    QVariant value = settings_->value(keyPath(key));
    if (!value.isValid()) {
        return fallback;
    }
    // Stored as text in the file; anything that is not a 32-bit number counts as missing.
    bool ok = false;
    qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok) {
        return fallback;
    }
    // Values written elsewhere as unsigned 32-bit numbers read back as their bit pattern.
    if (number < INT32_MIN || number > static_cast<qlonglong>(UINT32_MAX)) {
        return fallback;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

std::u16string Settings::readText(const SettingKey& key, const std::u16string& fallback) const {
    QVariant value = settings_->value(keyPath(key));
    if (value.typeId() == QMetaType::QByteArray) {
        // A file name that is not UTF-8, kept as its bytes.
        const QByteArray bytes = value.toByteArray();
        return fromPath(std::filesystem::path(bytes.toStdString()));
    }
    if (!value.isValid() || !value.canConvert<QString>()) {
        return fallback;
    }
    QString text = value.toString();
    if (value.typeId() == QMetaType::QStringList) {
        // An unquoted comma in a hand-written file made a list of the text.
        std::optional<QByteArray> raw = rawIniValue(filePath_, key);
        text = raw.has_value() ? unescapedIniText(*raw) : value.toStringList().join(u',');
    }
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

bool Settings::writeInt(const SettingKey& key, std::int32_t value) {
    return writeValue(key, QVariant(value));
}

bool Settings::writeText(const SettingKey& key, const std::u16string& value) {
    const QString text = toQString(value);
    if (!fitsUtf8(text)) {
        // Written as UTF-8 it would lose those bytes to U+FFFD; as bytes, QSettings writes
        // an escaped form that reads back exactly.
        return writeValue(key, QVariant(QByteArray::fromStdString(toPath(value).native())));
    }
    return writeValue(key, QVariant(text));
}

bool Settings::writeValue(const SettingKey& key, const QVariant& value) {
    return write([&] { settings_->setValue(keyPath(key), value); });
}

bool Settings::writeInts(std::span<const IntValue> values) {
    return write([&] {
        for (const IntValue& entry : values) {
            settings_->setValue(keyPath(entry.key), QVariant(entry.value));
        }
    });
}

bool Settings::write(const std::function<void()>& set) {
    // Something else put in the file's place since: syncing, or the store's destructor,
    // would read it by name. From here on the store lives in memory.
    if (unusable_.isEmpty()) {
        if (const QString why = SettingsFile::whyNotWritable(filePath_); !why.isEmpty()) {
            keepInMemory(why);
        }
    }
    set();
    // Even when it fails, no change is left pending for the store's destructor to try again.
    settings_->sync();
    if (unusable_.isEmpty() && settings_->status() == QSettings::NoError) {
        return true;
    }
    // QSettings keeps a value that could not be written, so the clock goes on with it.
    const QString why = unusable_.isEmpty() ? SettingsFile::whyNotWritten(filePath_) : unusable_;
    if (!toldWriteFailure_ && writeFailed_) {
        toldWriteFailure_ = true;
        writeFailed_(filePath_, why);
    }
    return false;
}

void Settings::keepInMemory(const QString& why) {
    unusable_ = why;
    auto memory = open(filePath_);
    for (const QString& key : settings_->allKeys()) {
        memory->setValue(key, settings_->value(key));
    }
    settings_ = std::move(memory);
}
