// TMPDIR pointed at a folder of a test's own, and put back as it was.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class ScopedTmpDir {
public:
    explicit ScopedTmpDir(const std::string& folder) {
        if (const char* previous = std::getenv("TMPDIR")) {
            previous_ = previous;
        }
        point(folder);
    }
    ~ScopedTmpDir() { restore(); }
    ScopedTmpDir(const ScopedTmpDir&) = delete;
    ScopedTmpDir& operator=(const ScopedTmpDir&) = delete;

    void point(const std::string& folder) { ::setenv("TMPDIR", folder.c_str(), 1); }
    void restore() {
        if (previous_) {
            ::setenv("TMPDIR", previous_->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }

private:
    std::optional<std::string> previous_;
};
