// Tells when the files that name the machine's zone may have changed.
#include "app/desktop/zone_file_watcher.h"

#include <QSocketNotifier>
#include <algorithm>

#ifdef __linux__
#include <cerrno>
#include <climits>
#include <sys/inotify.h>
#include <unistd.h>
#endif

ZoneFileWatcher::ZoneFileWatcher(std::vector<std::filesystem::path> files, QObject* parent)
    : QObject(parent), files_(std::move(files)) {}

ZoneFileWatcher::~ZoneFileWatcher() {
    notifier_.reset();
#ifdef __linux__
    if (fd_ >= 0) {
        ::close(fd_);
    }
#endif
}

bool ZoneFileWatcher::start() {
#ifdef __linux__
    if (fd_ >= 0) {
        return true;
    }
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) {
        return false;
    }
    // The folders rather than the files: a new zone usually arrives as a new file or link
    // renamed over the old one, which a watch on the old file would not see.
    constexpr std::uint32_t kChanges =
        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB;
    std::vector<std::filesystem::path> folders;
    for (const std::filesystem::path& file : files_) {
        std::filesystem::path folder = file.parent_path();
        if (std::find(folders.begin(), folders.end(), folder) != folders.end()) {
            continue;
        }
        if (::inotify_add_watch(fd_, folder.c_str(), kChanges) < 0) {
            ::close(fd_);
            fd_ = -1;
            return false;
        }
        folders.push_back(std::move(folder));
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &ZoneFileWatcher::readNotices);
    return true;
#else
    return false;
#endif
}

bool ZoneFileWatcher::concernsWatchedFile(const std::string& name) const {
    return std::any_of(files_.begin(), files_.end(), [&name](const std::filesystem::path& file) {
        return file.filename() == name;
    });
}

void ZoneFileWatcher::readNotices() {
#ifdef __linux__
    alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
    bool concerned = false;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(buffer + at);
            // A full queue loses notices: any of them may have been ours.
            if ((notice->mask & IN_Q_OVERFLOW) != 0 ||
                (notice->len > 0 && concernsWatchedFile(notice->name))) {
                concerned = true;
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + notice->len);
        }
    }
    if (concerned) {
        emit changed();
    }
#endif
}
