// What must hold for any bytes given to the scheme reader; shared by the fuzz target and
// the regression test that replays every input the fuzzer ever found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Empty when the reader behaved; otherwise what went wrong.
std::string checkSchemeReader(const std::uint8_t* data, std::size_t size);
