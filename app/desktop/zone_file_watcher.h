// Tells when the files that name the machine's zone may have changed.
#pragma once

#include <QObject>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

// The machine's zone is changed by replacing or rewriting /etc/localtime or /etc/timezone.
// The kernel reports changes within the folders that hold them (inotify), so the clock need
// not look at the files every few seconds. Where that cannot be watched, the owner has to poll.
class ZoneFileWatcher : public QObject {
    Q_OBJECT
public:
    explicit ZoneFileWatcher(std::vector<std::filesystem::path> files, QObject* parent = nullptr);
    ~ZoneFileWatcher() override;

    // Starts watching; false when the platform gives no notices to watch.
    bool start();

signals:
    // One of the files may have changed: read it again.
    void changed();

private:
    void readNotices();
    bool concernsWatchedFile(const std::string& name) const;

    std::vector<std::filesystem::path> files_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
