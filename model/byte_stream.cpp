// Byte streams over files and memory that the object streams read and write.
#include "model/byte_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string notRegularReason(mode_t mode) {
    const char* kind = S_ISDIR(mode)    ? "a directory"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    return std::string("not a regular file (") + kind + ")";
}

} // namespace

std::span<const std::uint8_t> ByteStream::lendLasting(std::size_t) {
    return {};
}

MemoryByteStream::MemoryByteStream(std::span<const std::uint8_t> view, Lifetime lifetime)
    : view_(view), readOnly_(true), lasting_(lifetime == Lifetime::Program) {}

std::span<const std::uint8_t> MemoryByteStream::lendLasting(std::size_t size) {
    if (!lasting_ || size > view_.size() - position_) {
        return {};
    }
    std::span<const std::uint8_t> lent = view_.subspan(position_, size);
    position_ += size;
    return lent;
}

std::span<const std::uint8_t> MemoryByteStream::bytes() const {
    return readOnly_ ? view_ : std::span<const std::uint8_t>(owned_);
}

std::size_t MemoryByteStream::read(void* buffer, std::size_t size) {
    std::span<const std::uint8_t> all = bytes();
    std::size_t count = std::min(size, all.size() - position_);
    if (count > 0) {
        std::memcpy(buffer, all.data() + position_, count);
    }
    position_ += count;
    return count;
}

bool MemoryByteStream::write(const void* data, std::size_t size) {
    if (readOnly_) {
        return false;
    }
    if (position_ + size > owned_.size()) {
        owned_.resize(position_ + size);
    }
    if (size > 0) {
        std::memcpy(owned_.data() + position_, data, size);
    }
    position_ += size;
    return true;
}

FileByteStream::FileByteStream(const std::filesystem::path& path, Mode mode) : mode_(mode) {
    // Opening a FIFO waits for the other end, and opening a terminal could make it ours:
    // open without either, and look at what was opened before touching a byte.
    int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (mode == Mode::Read) {
        flags |= O_RDONLY;
    } else {
        flags |= O_WRONLY | O_TRUNC | (mode == Mode::Write ? O_CREAT : O_NOFOLLOW);
    }
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        openErrno_ = errno;
        openError_ = std::strerror(errno);
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        openError_ = std::strerror(errno);
        ::close(fd);
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        openError_ = notRegularReason(info.st_mode);
        ::close(fd);
        return;
    }
    // A regular file never blocks, but buffered streams expect the ordinary mode.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if ((file_ = ::fdopen(fd, mode == Mode::Read ? "rb" : "wb")) == nullptr) {
        openError_ = std::strerror(errno);
        ::close(fd);
        return;
    }
    if (mode == Mode::Read) {
        size_ = static_cast<std::uint64_t>(info.st_size);
    }
}

void FileByteStream::noteWriteError() {
    if (!failed_) {
        writeError_ = std::strerror(errno);
    }
    failed_ = true;
}

FileByteStream::~FileByteStream() {
    close();
}

std::size_t FileByteStream::read(void* buffer, std::size_t size) {
    if (file_ == nullptr || mode_ != Mode::Read) {
        return 0;
    }
    std::size_t got = std::fread(buffer, 1, size, file_);
    position_ += got;
    return got;
}

bool FileByteStream::write(const void* data, std::size_t size) {
    if (file_ == nullptr || mode_ == Mode::Read || failed_) {
        failed_ = true;
        return false;
    }
    // Nothing to write may come with no buffer at all, which fwrite must not be given.
    if (size == 0) {
        return true;
    }
    if (std::fwrite(data, 1, size, file_) != size) {
        noteWriteError();
        return false;
    }
    position_ += size;
    size_ = std::max(size_, position_);
    return true;
}

std::uint64_t FileByteStream::remaining() const {
    return position_ < size_ ? size_ - position_ : 0;
}

bool FileByteStream::close() {
    if (file_ == nullptr) {
        return !failed_;
    }
    if (std::fclose(file_) != 0) {
        noteWriteError();
    }
    file_ = nullptr;
    return !failed_;
}

bool FileByteStream::sync() {
    if (file_ == nullptr || mode_ == Mode::Read) {
        return false;
    }
    if (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) {
        noteWriteError();
    }
    return !failed_;
}
