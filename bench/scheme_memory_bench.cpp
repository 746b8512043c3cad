// Peak memory while reading a large scheme, against the size of the file read.
//
// A child process builds a scheme of a million integer properties (each with a string-table
// label and description) and writes it to a temporary folder; the parent then reads it and
// reports its own peak resident size, so building the file does not count. Not a Google
// benchmark: the figure of interest is one peak, not a time per iteration.
#include "clock/class_registration.h"
#include "clock/scheme_file.h"
#include "model/int_property.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A text id with both a label and a long description, as most properties have.
constexpr std::int32_t kTextId = 23;

long peakKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool buildScheme(const std::filesystem::path& path, int count) {
    registerSchemeClasses();
    Clock clock;
    for (int i = 0; i < count; ++i) {
        clock.append(std::make_unique<IntProperty>(u"N", kTextId, i));
    }
    std::string error;
    if (!saveSchemeFile(clock, path, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    char folderTemplate[] = "/tmp/velmora-memory-bench-XXXXXX";
    if (::mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path folder(folderTemplate);
    std::filesystem::path path = folder / "large.vcs";

    pid_t child = ::fork();
    if (child == 0) {
        ::_exit(buildScheme(path, count) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::filesystem::remove_all(folder);
        return 1;
    }

    registerSchemeClasses();
    long before = peakKiB();
    ReadError error;
    std::unique_ptr<Clock> clock = readSchemeFile(path, &error);
    long after = peakKiB();
    double fileMiB = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    std::filesystem::remove_all(folder);
    if (clock == nullptr) {
        std::fprintf(stderr, "read failed: %s\n", error.reason.c_str());
        return 1;
    }
    double peakMiB = static_cast<double>(after) / 1024.0;
    double limitMiB = 4.0 * fileMiB + 40.0;
    std::printf("properties      %d\n", count);
    std::printf("file            %.1f MiB\n", fileMiB);
    std::printf("peak before     %.1f MiB\n", static_cast<double>(before) / 1024.0);
    std::printf("peak after read %.1f MiB (%.1f x the file)\n", peakMiB, peakMiB / fileMiB);
    std::printf("target          %.1f MiB: %s\n", limitMiB, peakMiB < limitMiB ? "met" : "missed");
    return peakMiB < limitMiB ? 0 : 1;
}
