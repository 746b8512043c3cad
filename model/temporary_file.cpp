// A private temporary file in the user's temporary directory, deleted with its owner.
#include "model/temporary_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

std::unique_ptr<TemporaryFile> TemporaryFile::create(std::string* error) {
    std::error_code code;
    std::filesystem::path folder = std::filesystem::temp_directory_path(code);
    if (code) {
        folder = "/tmp";
    }
    std::string pattern = (folder / (std::string(kPrefix) + "XXXXXX")).string();
    // mkstemp creates the file exclusively with mode 0600, so no one else can read or
    // swap it.
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        if (error != nullptr) {
            *error = "cannot create a temporary file in " + folder.string() + ": " +
                     std::strerror(errno);
        }
        return nullptr;
    }
    ::close(fd);
    return std::unique_ptr<TemporaryFile>(new TemporaryFile(pattern));
}

TemporaryFile::~TemporaryFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

void TemporaryFile::truncate() {
    std::error_code ignored;
    std::filesystem::resize_file(path_, 0, ignored);
}
