// The colour a new element gets: one that stands out against the clock's background.
#pragma once

#include <cstdint>
#include <span>

// Of a few strong colours, black and white, the one farthest from the background's average
// colour as the eye weighs it; red where there is no readable background. ARGB.
std::uint32_t standOutColor(std::span<const std::uint8_t> backgroundBytes);
