// The program's string table: labels, descriptions and other texts by id.
#pragma once

#include <span>

struct StringTableEntry {
    int id;
    const char16_t* text;
};

// Every entry, in ascending id order.
std::span<const StringTableEntry> stringTableEntries();
