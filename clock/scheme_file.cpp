// Reading and writing whole schemes: all-or-nothing reads and atomic saves.
#include "clock/scheme_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void setError(ReadError* error, ReadError value) {
    if (error != nullptr) {
        *error = std::move(value);
    }
}

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The mode a newly created file would get, or the mode of the file being replaced.
mode_t modeForSavedFile(const std::filesystem::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::unique_ptr<Clock> readScheme(ByteStream& stream, ReadError* error, bool requireEnd) {
    auto clock = std::make_unique<Clock>();
    ObjectIStreamStd in(stream);
    clock->read(in);
    if (in.failed()) {
        setError(error, in.error());
        return nullptr;
    }
    if (requireEnd && stream.remaining() > 0) {
        setError(error, ReadError{std::to_string(stream.remaining()) +
                                      " bytes after the end of the scheme",
                                  in.position()});
        return nullptr;
    }
    return clock;
}

std::unique_ptr<Clock> readSchemeBytes(std::span<const std::uint8_t> bytes, ReadError* error,
                                       bool requireEnd) {
    MemoryByteStream stream(bytes);
    return readScheme(stream, error, requireEnd);
}

std::unique_ptr<Clock> readSchemeFile(const std::filesystem::path& path, ReadError* error,
                                      bool requireEnd) {
    FileByteStream stream(path, FileByteStream::Mode::Read);
    if (!stream.isOpen()) {
        setError(error, ReadError{"cannot open " + path.string() + ": " + stream.openError(), 0});
        return nullptr;
    }
    return readScheme(stream, error, requireEnd);
}

bool writeScheme(const Clock& clock, ByteStream& stream) {
    ObjectOStreamStd out(stream);
    clock.write(out);
    return out.ok();
}

std::vector<std::uint8_t> schemeBytes(const Clock& clock) {
    MemoryByteStream stream;
    writeScheme(clock, stream);
    auto bytes = stream.bytes();
    return {bytes.begin(), bytes.end()};
}

bool saveSchemeFile(const Clock& clock, const std::filesystem::path& path, std::string* error) {
    std::error_code code;
    // Replace the file a symbolic link points to, not the link.
    std::filesystem::path target = std::filesystem::weakly_canonical(path, code);
    if (code) {
        target = path;
    }
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        *error = systemError("cannot create a file beside " + target.string());
        return false;
    }
    ::close(fd);
    std::filesystem::path temporary(pattern);
    FileByteStream stream(temporary, FileByteStream::Mode::OverwritePrivate);
    bool written = stream.isOpen() && writeScheme(clock, stream) && stream.sync();
    bool closed = stream.close();
    if (!written || !closed) {
        *error = "cannot write " + target.string() + " (disk full or no permission?)";
        std::filesystem::remove(temporary, code);
        return false;
    }
    ::chmod(temporary.c_str(), modeForSavedFile(target));
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        *error = systemError("cannot replace " + target.string());
        std::filesystem::remove(temporary, code);
        return false;
    }
    syncFolder(target.parent_path());
    return true;
}

std::size_t countObjects(const PropertyMap& map) {
    std::size_t count = 1;
    for (const auto& child : map.children()) {
        const auto* nested = asKind<PropertyMap>(child.get());
        count += nested != nullptr ? countObjects(*nested) : 1;
    }
    return count;
}
