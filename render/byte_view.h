// Bytes held elsewhere (a scheme's carried file) seen as a QByteArray, for Qt's readers.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <span>

// No copy is made: the view is valid for as long as the bytes are, and must not outlive them.
inline QByteArray byteView(std::span<const std::uint8_t> bytes) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qsizetype>(bytes.size()));
}
