// A private temporary file in the user's temporary directory, deleted with its owner.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

class TemporaryFile {
public:
    static constexpr const char* kPrefix = "~Velmora_";

    // Creates a new empty file, exclusively and readable by its owner only; null with a
    // reason when that is not possible.
    static std::unique_ptr<TemporaryFile> create(std::string* error);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Empties the file; used when a copy into it went wrong halfway.
    void truncate();

private:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}

    std::filesystem::path path_;
};
