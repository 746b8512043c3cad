// What must hold for any bytes given to the scheme reader; shared by the fuzz target and
// the regression test that replays every input the fuzzer ever found.
#include "fuzz/scheme_reader_check.h"

#include "clock/class_registration.h"
#include "clock/scheme_file.h"

std::string checkSchemeReader(const std::uint8_t* data, std::size_t size) {
    static bool registered = (registerSchemeClasses(), true);
    (void)registered;
    ReadError error;
    std::unique_ptr<Clock> clock = readSchemeBytes({data, size}, &error);
    if (clock == nullptr) {
        // A failed read says why and where it stopped, within the input.
        if (error.reason.empty() || error.offset > size) {
            return "failure without a reason or outside the input: " + error.reason;
        }
        return {};
    }
    // What was read writes a scheme that reads back to the same bytes; a clone writes them too.
    std::vector<std::uint8_t> written = schemeBytes(*clock);
    std::unique_ptr<Clock> again = readSchemeBytes(written, &error, true);
    if (again == nullptr) {
        return "the written scheme does not read back: " + error.reason;
    }
    if (schemeBytes(*again) != written) {
        return "the written scheme reads back differently";
    }
    if (schemeBytes(*clock->cloneClock()) != written) {
        return "a clone writes different bytes";
    }
    return {};
}
