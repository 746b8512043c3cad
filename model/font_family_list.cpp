// The process-wide list of installed font family names, built once from a source.
#include "model/font_family_list.h"

namespace {

struct State {
    FontFamilyList::Source source;
    std::vector<std::u16string> families;
    int queries = 0;
};

State& state() {
    static State instance;
    return instance;
}

} // namespace

void FontFamilyList::setSource(Source source) {
    state().source = std::move(source);
}

const std::vector<std::u16string>& FontFamilyList::families() {
    State& s = state();
    // An empty list is asked for again: the fonts may not have been available yet.
    if (s.families.empty() && s.source) {
        ++s.queries;
        s.families = s.source();
        if (s.families.size() > kCapacity) {
            s.families.resize(kCapacity);
        }
    }
    return s.families;
}

int FontFamilyList::queryCount() {
    return state().queries;
}

void FontFamilyList::resetForTesting() {
    state() = State{};
}
