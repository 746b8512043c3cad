// Typed, little-endian writes and reads of scheme objects over a byte stream.
#include "model/object_stream.h"

#include <algorithm>
#include <array>

void ObjectIStream::fail(std::string reason, std::uint64_t offset) {
    if (failed_) {
        return;
    }
    failed_ = true;
    error_ = ReadError{std::move(reason), offset,
                       recognised_ ? ReadError::Kind::Damaged : ReadError::Kind::NotAScheme};
}

bool ObjectIStream::expectBytes(std::uint64_t count, std::uint64_t itemSize, const char* what,
                                std::uint64_t countOffset) {
    if (failed_) {
        return false;
    }
    // Division keeps hostile counts from overflowing the product.
    if (itemSize != 0 && count > remaining() / itemSize) {
        fail(std::string(what) + " larger than the bytes left (" + std::to_string(count) + ", " +
                 std::to_string(remaining()) + " bytes left)",
             countOffset);
        return false;
    }
    return true;
}

bool ObjectIStream::enterNested() {
    if (failed_) {
        return false;
    }
    if (depth_ >= kMaxDepth) {
        fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        return false;
    }
    ++depth_;
    return true;
}

void ObjectOStreamStd::writeLittleEndian(std::uint64_t value, int bytes) {
    std::array<std::uint8_t, 8> buffer;
    for (int i = 0; i < bytes; ++i) {
        buffer[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    writeRaw(buffer.data(), static_cast<std::size_t>(bytes));
}

void ObjectOStreamStd::writeWString(const std::u16string& text) {
    write32(static_cast<std::uint32_t>(text.size()));
    std::string bytes(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    writeRaw(bytes.data(), bytes.size());
}

void ObjectOStreamStd::writeString(const std::string& text) {
    write32(static_cast<std::uint32_t>(text.size()));
    writeRaw(text.data(), text.size());
}

void ObjectOStreamStd::writeRaw(const void* data, std::size_t size) {
    if (size > 0 && !stream_.write(data, size)) {
        markFailed();
    }
}

void ObjectOStreamStd::write64(std::uint64_t value) {
    writeLittleEndian(value, 8);
}
void ObjectOStreamStd::write32(std::int32_t value) {
    writeLittleEndian(static_cast<std::uint32_t>(value), 4);
}
void ObjectOStreamStd::write32(std::uint32_t value) {
    writeLittleEndian(value, 4);
}
void ObjectOStreamStd::write16(std::uint16_t value) {
    writeLittleEndian(value, 2);
}
void ObjectOStreamStd::write8(std::uint8_t value) {
    writeLittleEndian(value, 1);
}

std::size_t ObjectIStreamStd::readRaw(void* buffer, std::size_t size) {
    if (failed()) {
        return 0;
    }
    std::uint64_t at = position();
    std::size_t got = stream_.read(buffer, size);
    if (got < size) {
        fail("premature end of data", at);
    }
    return got;
}

std::uint64_t ObjectIStreamStd::readLittleEndian(int bytes) {
    std::array<std::uint8_t, 8> buffer{};
    if (readRaw(buffer.data(), static_cast<std::size_t>(bytes)) !=
        static_cast<std::size_t>(bytes)) {
        return 0;
    }
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | buffer[i];
    }
    return value;
}

void ObjectIStreamStd::readWString(std::u16string& text) {
    text.clear();
    std::uint64_t at = position();
    std::uint32_t count = 0;
    read32(count);
    if (!expectBytes(count, 2, "string length", at)) {
        return;
    }
    std::string bytes(static_cast<std::size_t>(count) * 2, '\0');
    if (readRaw(bytes.data(), bytes.size()) != bytes.size()) {
        return;
    }
    text.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        text[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                        static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
}

void ObjectIStreamStd::readString(std::string& text) {
    text.clear();
    std::uint64_t at = position();
    std::uint32_t count = 0;
    read32(count);
    if (!expectBytes(count, 1, "string length", at)) {
        return;
    }
    text.resize(count);
    if (readRaw(text.data(), count) != count) {
        text.clear();
    }
}

void ObjectIStreamStd::read64(std::uint64_t& value) {
    value = readLittleEndian(8);
}
void ObjectIStreamStd::read32(std::int32_t& value) {
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(readLittleEndian(4)));
}
void ObjectIStreamStd::read32(std::uint32_t& value) {
    value = static_cast<std::uint32_t>(readLittleEndian(4));
}
void ObjectIStreamStd::read16(std::uint16_t& value) {
    value = static_cast<std::uint16_t>(readLittleEndian(2));
}
void ObjectIStreamStd::read16(char16_t& value) {
    value = static_cast<char16_t>(readLittleEndian(2));
}
void ObjectIStreamStd::read8(std::uint8_t& value) {
    value = static_cast<std::uint8_t>(readLittleEndian(1));
}
