// The scheme built into the programs, used when no scheme file can be loaded.
#include "resources/default_scheme.h"

#include "clock/scheme_file.h"
#include "model/byte_stream.h"

std::unique_ptr<Clock> readDefaultScheme(ReadError* error) {
    // The scheme's carried background stays in the program's bytes rather than on the heap.
    MemoryByteStream stream(defaultSchemeBytes(), MemoryByteStream::Lifetime::Program);
    return readScheme(stream, error);
}
