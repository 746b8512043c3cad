// libFuzzer target: any text given to the rich-text converter must give a document, and an
// error when it is not well-formed, quickly and within bounds.
#include "fuzz/rtf_reader_check.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string problem = checkRtfReader(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
