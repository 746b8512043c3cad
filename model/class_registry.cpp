// The table of type names and creators through which stored objects are made by name.
#include "model/class_registry.h"

ClassRegistry& ClassRegistry::instance() {
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::registerClass(const char* typeName, Creator creator) {
    if (creator == nullptr || findCreator(typeName) != nullptr || count_ == kCapacity) {
        return;
    }
    entries_[count_++] = Entry{typeName, creator};
}

Creator ClassRegistry::findCreator(std::string_view typeName) const {
    // Entries fill from the front, so the first free one ends the search; an empty
    // name therefore never matches.
    for (int i = 0; i < count_; ++i) {
        if (typeName == entries_[i].typeName) {
            return entries_[i].creator;
        }
    }
    return nullptr;
}

std::unique_ptr<SerializationObject> ClassRegistry::create(std::string_view typeName) const {
    Creator creator = findCreator(typeName);
    return creator != nullptr ? creator() : nullptr;
}
