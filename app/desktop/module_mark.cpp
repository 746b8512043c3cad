// The build identity every module of the program carries, which the program reads from the
// module's file (ModuleIdentity) before it loads it.
#include "velmora_build_identity.h"

// Kept whatever the linker's garbage collection, in a section of its own that the program
// finds by name without loading the module.
[[gnu::used, gnu::section(".velmora.build")]] extern const char velmoraModuleBuild[] =
    VELMORA_BUILD_IDENTITY;
