// A module from another build of the program: it carries another identity. Loading it would run
// its constructor, which leaves a file where VELMORA_FOREIGN_MODULE_MARK says; the program must
// refuse it from its file alone.
#include <cstdio>
#include <cstdlib>

[[gnu::used, gnu::section(".velmora.build")]] extern const char velmoraModuleBuild[] =
    "0.1+0123456789abcdef";

namespace {

[[gnu::constructor]] void markLoaded() {
    if (const char* mark = std::getenv("VELMORA_FOREIGN_MODULE_MARK")) {
        if (std::FILE* file = std::fopen(mark, "w")) {
            std::fclose(file);
        }
    }
}

} // namespace

// The entry points of the program's modules, so that a load would find what it asks for.
extern "C" [[gnu::visibility("default")]] void velmoraPlaySound() {}
extern "C" [[gnu::visibility("default")]] void velmoraClockEditor() {}
extern "C" [[gnu::visibility("default")]] void velmoraClockPlanner() {}
extern "C" [[gnu::visibility("default")]] void velmoraLayerShellModule() {}
