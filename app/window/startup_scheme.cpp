// The scheme shown at start: the one loaded last, read on a thread of its own so that a file
// on a dead network mount cannot hold up the window.
#include "app/window/startup_scheme.h"

#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/byte_stream.h"
#include "model/settings_keys.h"
#include "model/settings_store.h"
#include "model/utf.h"
#include "resources/default_scheme.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

// What the reading thread and the window share. The thread keeps it alive; the owner is
// cleared, under the lock, when the window's side goes, so the thread never posts to it then.
struct StartupScheme::Shared {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    SchemeFileRead read;
    StartupScheme* owner = nullptr;
};

SchemeFileRead StartupScheme::readWholeFile(const std::filesystem::path& path) {
    FileByteStream stream(path, FileByteStream::Mode::Read);
    SchemeFileRead result;
    if (!stream.isOpen()) {
        return result;
    }
    if (stream.remaining() > kReadAheadLimit) {
        result.outcome = SchemeFileRead::Outcome::TooLarge;
        return result;
    }
    // What a shorter read leaves out, the parser reports as the end of the data, as it would
    // reading the file itself.
    result.bytes.resize(stream.remaining());
    result.bytes.resize(stream.read(result.bytes.data(), result.bytes.size()));
    result.outcome = SchemeFileRead::Outcome::Read;
    return result;
}

StartupScheme::StartupScheme(Clock& clock, SettingsStore& settings, Reader reader)
    : clock_(clock), settings_(settings), reader_(std::move(reader)) {}

StartupScheme::~StartupScheme() {
    if (shared_ != nullptr) {
        std::lock_guard lock(shared_->mutex);
        shared_->owner = nullptr;
    }
}

void StartupScheme::start(std::chrono::milliseconds wait) {
    const std::u16string stored = settings_.readText(settings::kSchemeLoaded);
    if (stored.empty()) {
        useDefault();
        return;
    }
    path_ = toPath(stored);
    shared_ = std::make_shared<Shared>();
    shared_->owner = this;
    // Detached: a read stuck in the kernel must not hold up the exit, which would join it.
    try {
        std::thread([shared = shared_, reader = reader_, path = path_] {
            SchemeFileRead read = reader(path);
            std::lock_guard lock(shared->mutex);
            shared->read = std::move(read);
            shared->done = true;
            shared->finished.notify_all();
            if (shared->owner != nullptr) {
                QMetaObject::invokeMethod(shared->owner, &StartupScheme::readFinished,
                                          Qt::QueuedConnection);
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: read here, as the program always did.
        shared_.reset();
        if (!useRead(reader_(path_))) {
            useDefault();
        }
        return;
    }

    std::unique_lock lock(shared_->mutex);
    if (shared_->finished.wait_for(lock, wait, [this] { return shared_->done; })) {
        SchemeFileRead read = std::move(shared_->read);
        shared_->owner = nullptr;
        lock.unlock();
        if (!useRead(std::move(read))) {
            useDefault();
        }
        return;
    }
    lock.unlock();
    pending_ = true;
    useDefault();
}

void StartupScheme::readFinished() {
    SchemeFileRead read;
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->owner == nullptr) {
            return;
        }
        shared_->owner = nullptr;
        read = std::move(shared_->read);
    }
    const bool wanted = pending_;
    pending_ = false;
    // A failed read leaves the built-in scheme shown, as a failed load at start does.
    if (wanted && useRead(std::move(read))) {
        emit lateSchemeLoaded();
    }
}

bool StartupScheme::useRead(SchemeFileRead read) {
    switch (read.outcome) {
    case SchemeFileRead::Outcome::Unreadable:
        return false;
    case SchemeFileRead::Outcome::TooLarge:
        return clock_.loadSchemeFile(path_, settings_);
    case SchemeFileRead::Outcome::Read:
        break;
    }
    std::unique_ptr<Clock> fresh = readSchemeBytes(read.bytes, nullptr);
    if (fresh == nullptr) {
        return false;
    }
    clock_.takeLoadedScheme(*fresh, path_, settings_);
    return true;
}

void StartupScheme::useDefault() {
    std::unique_ptr<Clock> fallback = readDefaultScheme();
    if (fallback != nullptr) {
        clock_.adopt(*fallback);
    }
}
