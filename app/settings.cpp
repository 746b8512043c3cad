// The per-user settings store over QSettings, written through to disk on every change.
#include "app/settings.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString keyPath(const SettingKey& key) {
    return QString::fromUtf8(key.section.data(), static_cast<qsizetype>(key.section.size())) + '/' +
           QString::fromStdString(key.name);
}

QString toQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Settings::Settings()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            kOrganisation, executableBaseName())) {}

Settings::Settings(const QString& filePath)
    : settings_(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

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
    if (!value.isValid() || !value.canConvert<QString>()) {
        return fallback;
    }
    QString text = value.toString();
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

bool Settings::writeInt(const SettingKey& key, std::int32_t value) {
    return writeValue(key, QVariant(value));
}

bool Settings::writeText(const SettingKey& key, const std::u16string& value) {
    return writeValue(key, QVariant(toQString(value)));
}

bool Settings::writeValue(const SettingKey& key, const QVariant& value) {
    settings_->setValue(keyPath(key), value);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}
