// A settings store in memory, for tests of code that records settings.
#pragma once

#include "model/settings_store.h"

#include <map>

class MemorySettings : public SettingsStore {
public:
    std::int32_t readInt(const SettingKey& key, std::int32_t fallback) const override {
        auto it = ints.find(path(key));
        return it == ints.end() ? fallback : it->second;
    }
    std::u16string readText(const SettingKey& key, const std::u16string& fallback) const override {
        auto it = texts.find(path(key));
        return it == texts.end() ? fallback : it->second;
    }
    bool writeInt(const SettingKey& key, std::int32_t value) override {
        ints[path(key)] = value;
        return true;
    }
    bool writeText(const SettingKey& key, const std::u16string& value) override {
        texts[path(key)] = value;
        return true;
    }
    using SettingsStore::readInt;
    using SettingsStore::readText;

    static std::string path(const SettingKey& key) {
        return std::string(key.section) + "/" + key.name;
    }

    std::map<std::string, std::int32_t> ints;
    std::map<std::string, std::u16string> texts;
};
