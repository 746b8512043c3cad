// The program's string table: labels, descriptions and other texts by id.
#pragma once

#include "velmora_export.h"

#include <span>

struct StringTableEntry {
    int id;
    const char16_t* text;
};

// Every entry, in ascending id order.
VELMORA_EXPORT std::span<const StringTableEntry> stringTableEntries();
