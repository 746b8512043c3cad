// Looking up string-table texts and splitting them into a label and a description.
#include "model/string_table.h"

#include "resources/string_table.h"

#include <algorithm>
#include <vector>

std::u16string_view stringTableText(int id) {
    auto entries = stringTableEntries();
    auto it = std::lower_bound(entries.begin(), entries.end(), id,
                               [](const StringTableEntry& e, int wanted) { return e.id < wanted; });
    if (it == entries.end() || it->id != id) {
        return {};
    }
    return it->text;
}

PropertyTexts splitPropertyText(std::u16string_view text) {
    std::size_t firstTab = text.find(u'\t');
    if (firstTab == std::u16string_view::npos) {
        return {std::u16string(text), {}};
    }
    std::u16string_view rest = text.substr(firstTab + 1);
    std::size_t secondTab = rest.find(u'\t');
    return {std::u16string(text.substr(0, firstTab)), std::u16string(rest.substr(0, secondTab))};
}

PropertyTexts propertyTexts(int textId) {
    return splitPropertyText(stringTableText(textId));
}

const PropertyTexts& sharedPropertyTexts(int textId) {
    // The table is fixed at build time, so the split texts never change once made.
    static const std::vector<PropertyTexts> split = [] {
        std::vector<PropertyTexts> texts;
        for (const StringTableEntry& entry : stringTableEntries()) {
            texts.push_back(splitPropertyText(entry.text));
        }
        return texts;
    }();
    static const PropertyTexts none;
    auto entries = stringTableEntries();
    auto it = std::lower_bound(entries.begin(), entries.end(), textId,
                               [](const StringTableEntry& e, int wanted) { return e.id < wanted; });
    if (it == entries.end() || it->id != textId) {
        return none;
    }
    return split[static_cast<std::size_t>(it - entries.begin())];
}
