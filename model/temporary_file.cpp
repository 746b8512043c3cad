// A private temporary file in the user's temporary directory, deleted with its owner.
#include "model/temporary_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path temporaryFolder() {
    std::error_code code;
    std::filesystem::path folder = std::filesystem::temp_directory_path(code);
    return code ? std::filesystem::path("/tmp") : folder;
}

} // namespace

// It is unlinked under our lock, so no one takes it up meanwhile.
bool TemporaryFile::removeIfStale(const std::filesystem::path& path) {
    // O_NOFOLLOW: a link named like a copy is not followed to whatever it points at.
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool removed = false;
    struct stat info {};
    struct stat named {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        std::time(nullptr) - info.st_mtime >= TemporaryFile::kStaleAfter.count() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
        named.st_dev == info.st_dev && named.st_ino == info.st_ino) {
        removed = ::unlink(path.c_str()) == 0;
    }
    ::close(fd);
    return removed;
}

bool TemporaryFile::isGeneratedName(std::string_view name, std::string_view prefix) {
    constexpr std::size_t kGenerated = 6;
    if (name.size() != prefix.size() + kGenerated || !name.starts_with(prefix)) {
        return false;
    }
    for (char c : name.substr(prefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<TemporaryFile> TemporaryFile::create(std::string* error) {
    std::filesystem::path folder = temporaryFolder();
    std::string pattern = (folder / (std::string(kPrefix) + "XXXXXX")).string();
    // mkstemp creates the file exclusively with mode 0600, so no one else can read or
    // swap it.
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        if (error != nullptr) {
            *error = "cannot create a temporary file in " + folder.string() + ": " +
                     std::strerror(errno);
        }
        return nullptr;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    return std::unique_ptr<TemporaryFile>(new TemporaryFile(pattern, fd));
}

std::size_t TemporaryFile::removeStale() {
    std::size_t removed = 0;
    std::error_code code;
    std::filesystem::directory_iterator entries(temporaryFolder(), code);
    for (auto end = std::filesystem::directory_iterator(); !code && entries != end;
         entries.increment(code)) {
        const std::filesystem::path& path = entries->path();
        if (isGeneratedName(path.filename().string(), kPrefix) && removeIfStale(path)) {
            ++removed;
        }
    }
    return removed;
}

TemporaryFile::~TemporaryFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    ::close(fd_);
}
