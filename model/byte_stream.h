// Byte streams over files and memory that the object streams read and write.
#pragma once

#include "velmora_export.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Reads up to size bytes; returns how many were read.
    virtual std::size_t read(void* buffer, std::size_t size) = 0;
    // Writes all bytes; false if any could not be written.
    virtual bool write(const void* data, std::size_t size) = 0;
    virtual std::uint64_t position() const = 0;
    // Bytes between the position and the end.
    virtual std::uint64_t remaining() const = 0;
    // Where the stream reads bytes that last as long as the program, the next size of them,
    // moving past them, so a reader can keep them without a copy; empty, not moving, where it
    // does not or fewer remain.
    virtual std::span<const std::uint8_t> lendLasting(std::size_t size);
};

// A stream over bytes in memory: either a read-only view of bytes that outlive it, or a
// growable buffer of its own.
class MemoryByteStream : public ByteStream {
public:
    // Whether viewed bytes outlive the stream only, or the whole program (bytes built into it).
    enum class Lifetime { Stream, Program };

    MemoryByteStream() = default;
    explicit MemoryByteStream(std::span<const std::uint8_t> view,
                              Lifetime lifetime = Lifetime::Stream);

    std::size_t read(void* buffer, std::size_t size) override;
    bool write(const void* data, std::size_t size) override;
    std::uint64_t position() const override { return position_; }
    std::uint64_t remaining() const override { return bytes().size() - position_; }
    std::span<const std::uint8_t> lendLasting(std::size_t size) override;

    std::span<const std::uint8_t> bytes() const;

private:
    std::span<const std::uint8_t> view_;
    std::vector<std::uint8_t> owned_;
    bool readOnly_ = false;
    bool lasting_ = false;
    std::size_t position_ = 0;
};

// A buffered stream over a file, opened for reading or for writing (create or truncate).
// Only regular files are read: a FIFO, a device or a directory is refused at open, before
// any read could block on it.
class VELMORA_EXPORT FileByteStream : public ByteStream {
public:
    // Write creates or truncates; OverwritePrivate truncates an existing file of ours and
    // refuses to follow a symbolic link put in its place.
    enum class Mode { Read, Write, OverwritePrivate };

    FileByteStream(const std::filesystem::path& path, Mode mode);
    ~FileByteStream() override;
    FileByteStream(const FileByteStream&) = delete;
    FileByteStream& operator=(const FileByteStream&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Why the file could not be opened; empty when it is open.
    const std::string& openError() const { return openError_; }
    // The system's error number when opening failed; 0 when it failed for not being a
    // regular file, or did not fail.
    int openErrno() const { return openErrno_; }
    std::size_t read(void* buffer, std::size_t size) override;
    bool write(const void* data, std::size_t size) override;
    std::uint64_t position() const override { return position_; }
    std::uint64_t remaining() const override;
    // Flushes and closes; false if anything failed so far.
    bool close();
    // Flushes and waits until the bytes are on the disk; for files that must survive a crash.
    bool sync();
    // Why the first write, flush or close failed ("No space left on device"); empty if none did.
    const std::string& writeError() const { return writeError_; }

private:
    void noteWriteError();

    std::FILE* file_ = nullptr;
    Mode mode_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool failed_ = false;
    std::string openError_;
    int openErrno_ = 0;
    std::string writeError_;
};
