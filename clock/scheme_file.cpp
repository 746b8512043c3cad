// Reading and writing whole schemes: all-or-nothing reads and atomic saves.
#include "clock/scheme_file.h"

#include "model/temporary_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
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

// Where a save through the path lands: the end of its chain of symbolic links, which may not
// exist yet; the links themselves stay. Nothing for a chain that does not end.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& path) {
    constexpr int kMaxLinks = 40; // as the kernel allows in one lookup
    std::filesystem::path current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        std::error_code code;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, code))) {
            return current;
        }
        std::filesystem::path next = std::filesystem::read_symlink(current, code);
        if (code) {
            return current;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

// The start of the names of a save's temporaries beside the target: ".NAME.", the name cut
// short (at a character's start) where the six letters that follow would pass the folder's
// limit on a name's length, which the target's own name may reach.
std::string temporaryPrefix(const std::filesystem::path& target) {
    constexpr std::size_t kGenerated = 6;
    const std::filesystem::path folder = target.parent_path();
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    const std::size_t longest = limit > 0 ? static_cast<std::size_t>(limit) : 255;
    std::string name = target.filename().string();
    const std::size_t room = longest > kGenerated + 2 ? longest - kGenerated - 2 : 0;
    if (name.size() > room) {
        name.resize(room);
        // Not in the middle of a UTF-8 sequence.
        while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
            name.pop_back();
        }
        if (!name.empty() && (static_cast<unsigned char>(name.back()) & 0x80) != 0) {
            name.pop_back();
        }
    }
    return "." + name + ".";
}

// Removes what saves killed midway left beside the target: names exactly as this save makes
// them, the user's own, unlocked and a minute old, so that a save running now is spared.
void sweepStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code code;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, code);
    for (auto end = std::filesystem::directory_iterator(); !code && entries != end;
         entries.increment(code)) {
        if (TemporaryFile::isGeneratedName(entries->path().filename().string(), prefix)) {
            TemporaryFile::removeIfStale(entries->path());
        }
    }
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
        setError(error, ReadError{"cannot open " + path.string() + ": " + stream.openError(), 0,
                                  ReadError::Kind::Unopened, stream.openErrno()});
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
    std::optional<std::filesystem::path> resolved = linkTarget(path);
    if (!resolved) {
        *error = "cannot save " + path.string() + ": too many levels of symbolic links";
        return false;
    }
    const std::filesystem::path& target = *resolved;
    const std::string prefix = temporaryPrefix(target);
    sweepStaleTemporaries(target.parent_path(), prefix);
    std::string pattern = (target.parent_path() / (prefix + "XXXXXX")).string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = systemError("cannot create a file beside " + target.string());
        return false;
    }
    // Held until the temporary is renamed or removed, so that another save's sweep leaves it.
    ::flock(fd, LOCK_EX | LOCK_NB);
    std::filesystem::path temporary(pattern);
    std::error_code code;
    FileByteStream stream(temporary, FileByteStream::Mode::OverwritePrivate);
    const bool opened = stream.isOpen();
    bool written = opened && writeScheme(clock, stream) && stream.sync();
    bool closed = stream.close();
    if (!written || !closed) {
        const std::string& reason = !opened ? stream.openError() : stream.writeError();
        *error = "cannot write " + target.string() + ": " +
                 (reason.empty() ? std::string("the write failed") : reason);
        std::filesystem::remove(temporary, code);
        ::close(fd);
        return false;
    }
    ::chmod(temporary.c_str(), modeForSavedFile(target));
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        *error = systemError("cannot replace " + target.string());
        std::filesystem::remove(temporary, code);
        ::close(fd);
        return false;
    }
    ::close(fd);
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
