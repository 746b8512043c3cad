// The table of type names and creators through which stored objects are made by name.
#pragma once

#include "model/serialization_object.h"
#include "velmora_export.h"

#include <array>
#include <memory>
#include <string_view>

using Creator = std::unique_ptr<SerializationObject> (*)();

class VELMORA_EXPORT ClassRegistry {
public:
    static constexpr int kCapacity = 256;

    // The process-wide registry that scheme reading uses.
    static ClassRegistry& instance();

    // Adds a class; a name that is already there, or a 257th name, is ignored.
    void registerClass(const char* typeName, Creator creator);
    // The creator registered under exactly this name, or null.
    Creator findCreator(std::string_view typeName) const;
    // A new object of the named class, or null for an unknown name.
    std::unique_ptr<SerializationObject> create(std::string_view typeName) const;
    int size() const { return count_; }

private:
    struct Entry {
        const char* typeName = "";
        Creator creator = nullptr;
    };
    std::array<Entry, kCapacity> entries_{};
    int count_ = 0;
};
