// The process-wide list of installed font family names, built once from a source.
#pragma once

#include "velmora_export.h"

#include <functional>
#include <string>
#include <vector>

class VELMORA_EXPORT FontFamilyList {
public:
    using Source = std::function<std::vector<std::u16string>()>;
    // At most this many families are offered.
    static constexpr std::size_t kCapacity = 1000;

    // Where the names come from: the font database in the programs, a fixed list in tests.
    static void setSource(Source source);
    // The list, built from the source at the first call that finds it empty.
    static const std::vector<std::u16string>& families();
    // How often the source was asked; a built list is never asked for again.
    static int queryCount();
    static void resetForTesting();
};
