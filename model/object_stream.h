// Typed, little-endian writes and reads of scheme objects over a byte stream.
#pragma once

#include "model/byte_stream.h"

#include <cstdint>
#include <string>

class ObjectOStream {
public:
    virtual ~ObjectOStream() = default;

    // u32 code-unit count, then the UTF-16LE code units.
    virtual void writeWString(const std::u16string& text) = 0;
    // u32 byte count, then the bytes.
    virtual void writeString(const std::string& text) = 0;
    virtual void writeRaw(const void* data, std::size_t size) = 0;
    virtual void write64(std::uint64_t value) = 0;
    virtual void write32(std::int32_t value) = 0;
    virtual void write32(std::uint32_t value) = 0;
    virtual void write16(std::uint16_t value) = 0;
    virtual void write8(std::uint8_t value) = 0;
    virtual ByteStream& byteStream() = 0;
    // False once any write did not reach the byte stream in full.
    bool ok() const { return ok_; }
    void markFailed() { ok_ = false; }

private:
    bool ok_ = true;
};

// Why and where reading stopped.
struct ReadError {
    // What the failure means to the user, who sees the reason only as a detail.
    enum class Kind {
        // The bytes went wrong after a scheme's own objects had been recognised.
        Damaged,
        // Nothing in the bytes was recognised as a scheme's.
        NotAScheme,
        // The file could not be opened: systemError tells why, or it is not a regular file.
        Unopened,
    };
    std::string reason;
    std::uint64_t offset = 0;
    Kind kind = Kind::Damaged;
    // The system's error number when the file could not be opened; 0 otherwise.
    int systemError = 0;
};

// Reading is all-or-nothing: the first failure is recorded, and from then on every read
// yields zeros and empty strings and consumes nothing, so no count or length is ever taken
// from bytes that were not read.
class ObjectIStream {
public:
    // Property maps nested deeper than this are refused: real schemes nest two levels.
    static constexpr int kMaxDepth = 64;

    virtual ~ObjectIStream() = default;

    virtual void readWString(std::u16string& text) = 0;
    virtual void readString(std::string& text) = 0;
    // Reads up to size bytes; returns how many were read.
    virtual std::size_t readRaw(void* buffer, std::size_t size) = 0;
    virtual void read64(std::uint64_t& value) = 0;
    virtual void read32(std::int32_t& value) = 0;
    virtual void read32(std::uint32_t& value) = 0;
    virtual void read16(std::uint16_t& value) = 0;
    virtual void read16(char16_t& value) = 0;
    virtual void read8(std::uint8_t& value) = 0;
    virtual ByteStream& byteStream() = 0;

    virtual std::uint64_t position() const = 0;
    virtual std::uint64_t remaining() const = 0;

    bool failed() const { return failed_; }
    // Set once an object of a known type was read: a failure after it is damage to a scheme,
    // before it a file that was never one.
    void markRecognised() { recognised_ = true; }
    bool recognised() const { return recognised_; }
    const ReadError& error() const { return error_; }
    // Records the first failure only: later ones are consequences of it.
    void fail(std::string reason, std::uint64_t offset);
    void fail(std::string reason) { fail(std::move(reason), position()); }
    // Checks that count items of itemSize bytes can still be there; fails at countOffset,
    // where the count was stored, if not.
    bool expectBytes(std::uint64_t count, std::uint64_t itemSize, const char* what,
                     std::uint64_t countOffset);

    // Called around reading a nested map; false (and failed) when nesting is too deep.
    bool enterNested();
    void leaveNested() { --depth_; }

private:
    bool failed_ = false;
    bool recognised_ = false;
    ReadError error_;
    int depth_ = 0;
};

class ObjectOStreamStd : public ObjectOStream {
public:
    explicit ObjectOStreamStd(ByteStream& stream) : stream_(stream) {}

    void writeWString(const std::u16string& text) override;
    void writeString(const std::string& text) override;
    void writeRaw(const void* data, std::size_t size) override;
    void write64(std::uint64_t value) override;
    void write32(std::int32_t value) override;
    void write32(std::uint32_t value) override;
    void write16(std::uint16_t value) override;
    void write8(std::uint8_t value) override;
    ByteStream& byteStream() override { return stream_; }

private:
    void writeLittleEndian(std::uint64_t value, int bytes);

    ByteStream& stream_;
};

class ObjectIStreamStd : public ObjectIStream {
public:
    explicit ObjectIStreamStd(ByteStream& stream) : stream_(stream), start_(stream.position()) {}

    void readWString(std::u16string& text) override;
    void readString(std::string& text) override;
    std::size_t readRaw(void* buffer, std::size_t size) override;
    void read64(std::uint64_t& value) override;
    void read32(std::int32_t& value) override;
    void read32(std::uint32_t& value) override;
    void read16(std::uint16_t& value) override;
    void read16(char16_t& value) override;
    void read8(std::uint8_t& value) override;
    ByteStream& byteStream() override { return stream_; }

    std::uint64_t position() const override { return stream_.position() - start_; }
    std::uint64_t remaining() const override { return stream_.remaining(); }

private:
    std::uint64_t readLittleEndian(int bytes);

    ByteStream& stream_;
    std::uint64_t start_;
};
