// Reading and writing whole schemes: all-or-nothing reads and atomic saves.
#pragma once

#include "clock/clock.h"
#include "model/byte_stream.h"
#include "velmora_export.h"

#include <filesystem>
#include <memory>
#include <span>

// Reads a scheme (the root body's payload) into a fresh body. Null on failure, with the
// reason and the byte offset where reading stopped. Bytes after the scheme are an error
// only when requireEnd is set.
std::unique_ptr<Clock> readScheme(ByteStream& stream, ReadError* error, bool requireEnd = false);
std::unique_ptr<Clock> readSchemeBytes(std::span<const std::uint8_t> bytes, ReadError* error,
                                       bool requireEnd = false);
std::unique_ptr<Clock> readSchemeFile(const std::filesystem::path& path, ReadError* error,
                                      bool requireEnd = false);

// False when a byte could not be written.
bool writeScheme(const Clock& clock, ByteStream& stream);
VELMORA_EXPORT std::vector<std::uint8_t> schemeBytes(const Clock& clock);
// Writes beside the target first and renames over it only when everything was written, so
// a failed save leaves the previous file as it was.
VELMORA_EXPORT bool saveSchemeFile(const Clock& clock, const std::filesystem::path& path,
                                   std::string* error);

// Counts the objects of a tree: the root and every property below it.
std::size_t countObjects(const PropertyMap& map);
