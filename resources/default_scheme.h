// The scheme built into the programs, used when no scheme file can be loaded.
#pragma once

#include "clock/clock.h"
#include "velmora_export.h"

#include <cstdint>
#include <memory>
#include <span>

std::span<const std::uint8_t> defaultSchemeBytes();
// A fresh body holding the default scheme; null only if the embedded bytes were broken.
VELMORA_EXPORT std::unique_ptr<Clock> readDefaultScheme(ReadError* error = nullptr);
