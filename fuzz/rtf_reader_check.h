// What must hold for any text given to the rich-text converter (optiontree/rtf_reader.h);
// shared by the fuzz target and the regression test that replays every input it ever found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The bytes as text: after a UTF-16 little-endian byte order mark (FF FE) the rest is UTF-16LE
// (so that any code unit, lone surrogates too, can be tried), otherwise each byte is one
// Latin-1 character. Needs a QGuiApplication, which it creates on the offscreen platform
// (with Qt's messages silenced) when there is none.
// Empty when the converter behaved; otherwise what went wrong.
std::string checkRtfReader(const std::uint8_t* data, std::size_t size);
