// The per-user settings store over QSettings, written through to disk on every change.
#pragma once

#include "app/desktop/settings_file.h"
#include "model/settings_store.h"

#include <QSettings>
#include <QString>
#include <functional>
#include <memory>

class Settings : public SettingsStore {
public:
    static constexpr const char* kOrganisation = "vornel-works";
    static constexpr qint64 kMaxFileBytes = SettingsFile::kMaxBytes;

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
    // Where a file the store could not use was moved, whole, before this store began from
    // the defaults, and why it could not be used; empty when the file was used. For telling
    // the user once.
    const QString& movedAside() const { return movedAside_; }
    const QString& movedAsideWhy() const { return movedAsideWhy_; }
    // Called at the first write that does not reach the disk, with the file and the reason;
    // the store keeps the value in memory all the same.
    using WriteFailed = std::function<void(const QString& file, const QString& why)>;
    void onFirstWriteFailure(WriteFailed report) { writeFailed_ = std::move(report); }

    std::int32_t readInt(const SettingKey& key, std::int32_t fallback) const override;
    std::u16string readText(const SettingKey& key, const std::u16string& fallback) const override;
    bool writeInt(const SettingKey& key, std::int32_t value) override;
    bool writeText(const SettingKey& key, const std::u16string& value) override;

    using SettingsStore::readInt;
    using SettingsStore::readText;

    const QString& fileName() const { return filePath_; }
    // The base name of the running executable.
    static QString executableBaseName();
    // Where the store of this application name keeps its file, as QSettings would put it for
    // the organisation and the application.
    static QString filePathFor(const QString& application);
    // The application name the settings of a clock go by: the executable's name, followed by
    // the clock's name for any but the default clock.
    static QString applicationName(const QString& clockName);

private:
    std::unique_ptr<QSettings> open(const QString& filePath) const;
    bool writeValue(const SettingKey& key, const QVariant& value);
    // Sets values and writes them to the disk; false, telling the user the first time, when
    // they could not be written.
    bool write(const std::function<void()>& set);
    // Goes on without the file, which is no longer one the store may read or write.
    void keepInMemory(const QString& why);

    QString filePath_;
    std::unique_ptr<QSettings> settings_;
    QString movedAside_;
    QString movedAsideWhy_;
    // Why the file could neither be used nor moved aside; the store then never opens it.
    QString unusable_;
    WriteFailed writeFailed_;
    bool toldWriteFailure_ = false;

public:
    // All the values set, then one sync: one rewrite of the file for them all.
    bool writeInts(std::span<const IntValue> values) override;
};
