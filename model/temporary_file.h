// A private temporary file in the user's temporary directory, deleted with its owner.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

class TemporaryFile {
public:
    static constexpr const char* kPrefix = "~Velmora_";
    // Unlocked copies younger than this are spared by the sweep: a copy is locked only just
    // after it was created.
    static constexpr std::chrono::seconds kStaleAfter{60};

    // Creates a new empty file, exclusively and readable by its owner only; null with a
    // reason when that is not possible. The file stays locked while this object lives.
    static std::unique_ptr<TemporaryFile> create(std::string* error);
    // Removes the user's own copies that no living process holds (left by a crash or a
    // kill); returns how many went. Another user's or a running instance's files stay, and
    // so does any file not named exactly as create() names them.
    static std::size_t removeStale();
    // Whether the name is the prefix followed by the six letters or digits mkstemp puts in
    // place of its XXXXXX: a sweep must not take the user's own files that merely look alike.
    static bool isGeneratedName(std::string_view name, std::string_view prefix);
    // Removes the file if it is a regular file of the user's, locked by no one and older
    // than kStaleAfter; true when it went.
    static bool removeIfStale(const std::filesystem::path& path);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    TemporaryFile(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}

    std::filesystem::path path_;
    // Holds the lock that tells the sweep of another start that this copy is alive.
    int fd_;
};
