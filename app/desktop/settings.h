// The per-user settings store over QSettings, written through to disk on every change.
#pragma once

#include "model/settings_store.h"

#include <QSettings>
#include <QString>
#include <memory>

class Settings : public SettingsStore {
public:
    static constexpr const char* kOrganisation = "vornel-works";
    // Settings files hold a few hundred bytes; one larger than this was not written by us.
    static constexpr qint64 kMaxFileBytes = 1 << 20;

    // The store of the running program: organisation "vornel-works", application named
    // after the executable, so a renamed program starts with its own defaults.
    Settings();
    // The store of the clock of this name (empty: the default clock, as above).
    struct ClockName {
        QString name;
    };
    explicit Settings(const ClockName& clock);
    // A store in an explicit file, as tests use it.
    explicit Settings(const QString& filePath);
    // Where a file too large or unreadable to use was moved, whole, before this store began
    // from the defaults; empty when the file was used. For telling the user once.
    const QString& movedAside() const { return movedAside_; }

    std::int32_t readInt(const SettingKey& key, std::int32_t fallback) const override;
    std::u16string readText(const SettingKey& key, const std::u16string& fallback) const override;
    bool writeInt(const SettingKey& key, std::int32_t value) override;
    bool writeText(const SettingKey& key, const std::u16string& value) override;

    using SettingsStore::readInt;
    using SettingsStore::readText;

    QString fileName() const { return settings_->fileName(); }
    // The base name of the running executable.
    static QString executableBaseName();
    // The application name the settings of a clock go by: the executable's name, followed by
    // the clock's name for any but the default clock.
    static QString applicationName(const QString& clockName);

private:
    // The store in filePath: the program's own store of that application name where one is
    // given (QSettings then finds the file itself), else a plain INI file.
    Settings(const QString& filePath, const QString& application);
    static std::unique_ptr<QSettings> open(const QString& filePath, const QString& application);
    bool writeValue(const SettingKey& key, const QVariant& value);

    std::unique_ptr<QSettings> settings_;
    QString movedAside_;

public:
    // All the values set, then one sync: one rewrite of the file for them all.
    bool writeInts(std::span<const IntValue> values) override;
};
