// The scheme shown at start: the one loaded last, read on a thread of its own so that a file
// on a dead network mount cannot hold up the window.
#pragma once

#include <QObject>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class SettingsStore;

// The bytes of a scheme file, read whole.
struct SchemeFileRead {
    enum class Outcome {
        Read,
        // Not opened, or not a regular file: the load fails as it would have.
        Unreadable,
        // Too large to hold twice in memory: read on the caller's thread after all.
        TooLarge,
    };
    Outcome outcome = Outcome::Unreadable;
    std::vector<std::uint8_t> bytes;
};

// Loads the scheme named in the settings as Clock::loadLastScheme does, with one difference:
// open() and read() on a file whose mount has gone can block for minutes, and a thread stuck
// in the kernel cannot be stopped. The file is read on a detached thread that touches nothing
// but its own state, so that neither the window nor the program's exit waits for it. When it
// has not finished within the wait, the clock shows the built-in scheme and takes the stored
// one over when it arrives, unless the user has chosen something else by then.
class StartupScheme : public QObject {
    Q_OBJECT

public:
    using Reader = std::function<SchemeFileRead(const std::filesystem::path&)>;
    // Reads through the stream scheme files are read with; files above the limit come back
    // as too large.
    static SchemeFileRead readWholeFile(const std::filesystem::path& path);
    static constexpr std::uint64_t kReadAheadLimit = 256ULL << 20;

    StartupScheme(Clock& clock, SettingsStore& settings, Reader reader = readWholeFile);
    ~StartupScheme() override;

    // Loads the stored scheme, or the built-in one when there is none, the stored one cannot
    // be read, or its read takes longer than the wait.
    void start(std::chrono::milliseconds wait);
    // Whether a read that outlasted the wait is still to come.
    bool pending() const { return pending_; }
    // The user chose another scheme: a read still to come is dropped.
    void abandon() { pending_ = false; }

signals:
    // The stored scheme replaced the built-in one after the wait.
    void lateSchemeLoaded();

private:
    struct Shared;
    void readFinished();
    // Takes the read's outcome over; false when it gives no scheme.
    bool useRead(SchemeFileRead read);
    void useDefault();

    Clock& clock_;
    SettingsStore& settings_;
    Reader reader_;
    std::filesystem::path path_;
    std::shared_ptr<Shared> shared_;
    bool pending_ = false;
};
