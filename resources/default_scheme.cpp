// The scheme built into the programs, used when no scheme file can be loaded.
#include "resources/default_scheme.h"

#include "clock/scheme_file.h"

std::unique_ptr<Clock> readDefaultScheme(ReadError* error) {
    return readSchemeBytes(defaultSchemeBytes(), error);
}
