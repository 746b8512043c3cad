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

private:
    Settings(const QString& filePath, bool program);
    static std::unique_ptr<QSettings> open(const QString& filePath, bool program);
    bool writeValue(const SettingKey& key, const QVariant& value);

    std::unique_ptr<QSettings> settings_;
    QString movedAside_;

public:
    // All the values set, then one sync: one rewrite of the file for them all.
    bool writeInts(std::span<const IntValue> values) override;
};
