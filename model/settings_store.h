// The per-user settings store as the layers below the application see it.
#pragma once

#include "model/settings_keys.h"

#include <cstdint>
#include <span>
#include <string>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or the fallback when there is none or it is of another kind.
    virtual std::int32_t readInt(const SettingKey& key, std::int32_t fallback) const = 0;
    virtual std::u16string readText(const SettingKey& key,
                                    const std::u16string& fallback) const = 0;
    // Writes reach the disk at once; false when they could not (callers go on regardless).
    virtual bool writeInt(const SettingKey& key, std::int32_t value) = 0;
    virtual bool writeText(const SettingKey& key, const std::u16string& value) = 0;

    struct IntValue {
        const SettingKey& key;
        std::int32_t value;
    };
    // Several values as one update: a store that writes through overrides this to reach the
    // disk once for them all rather than once each.
    virtual bool writeInts(std::span<const IntValue> values) {
        bool written = true;
        for (const IntValue& entry : values) {
            written = writeInt(entry.key, entry.value) && written;
        }
        return written;
    }

    // Reads with the default of the settings table.
    std::int32_t readInt(const SettingKey& key) const { return readInt(key, key.intDefault); }
    std::u16string readText(const SettingKey& key) const {
        return readText(key, std::u16string(key.textDefault));
    }
};
