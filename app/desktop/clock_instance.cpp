// One process per clock name: the first launch listens on a local socket in the user's
// runtime folder, and a later launch of the same clock hands its request over and ends.
#include "app/desktop/clock_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A clock starting at the same moment holds the lock only while it sets up its socket.
constexpr int kLockWaitMs = 5000;
constexpr int kBacklog = 8;
// Launches hand over one line and go; more at once than this are not launches.
constexpr std::size_t kMaxConnections = 16;
constexpr char kAccepted[] = "ok\n";
constexpr std::size_t kAcceptedLength = sizeof kAccepted - 1;

// The socket address of the path; false when the path does not fit.
bool addressOf(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.isEmpty() || static_cast<std::size_t>(bytes.size()) >= sizeof address.sun_path) {
        return false;
    }
    address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

// A socket connected to the path, or -1 when nobody listens there.
int connectTo(const QString& path) {
    sockaddr_un address;
    if (!addressOf(path, address)) {
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, const char* data, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::send(fd, data, length, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

ClockInstance::ClockInstance(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {}

ClockInstance::~ClockInstance() {
    for (auto& [fd, connection] : connections_) {
        connection.notifier.reset();
        ::close(fd);
    }
    if (listener_ >= 0) {
        listenerNotifier_.reset();
        ::close(listener_);
        // The next clock of the name finds no socket rather than a stale one.
        ::unlink(QFile::encodeName(socketPath_).constData());
    }
}

QString ClockInstance::socketPathFor(const QString& applicationName) {
    // Not QStandardPaths' fallback: a made-up folder in /tmp would be shared by no session.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QDir(runtime).exists()) {
        return {};
    }
    return runtime + QLatin1Char('/') + applicationName + QStringLiteral(".socket");
}

bool ClockInstance::isRunning(const QString& socketPath) {
    const int fd = connectTo(socketPath);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

ClockInstance::Start ClockInstance::start(const QByteArray& request) {
    sockaddr_un address;
    if (socketPath_.isEmpty()) {
        error_ =
            QCoreApplication::translate("ClockInstance", "no runtime folder (XDG_RUNTIME_DIR)");
        return Start::Unavailable;
    }
    if (!addressOf(socketPath_, address)) {
        error_ = QCoreApplication::translate("ClockInstance", "the socket path %1 is too long")
                     .arg(socketPath_);
        return Start::Unavailable;
    }
    // Two launches at once must not both decide that no clock runs. A lock left by a process
    // that died is taken over, as QLockFile checks whether its owner still lives.
    QLockFile lock(socketPath_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMs)) {
        error_ =
            QCoreApplication::translate("ClockInstance", "cannot lock %1.lock").arg(socketPath_);
        return Start::Unavailable;
    }
    if (isRunning(socketPath_)) {
        return handOver(request);
    }
    return listen() ? Start::Listening : Start::Unavailable;
}

bool ClockInstance::listen() {
    sockaddr_un address;
    addressOf(socketPath_, address);
    // Nobody answers: whatever is left at the path is the socket of a clock that crashed.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // Only this user may hand requests over, whatever the runtime folder allows.
    const mode_t previous = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(previous);
    if (!bound || ::listen(fd, kBacklog) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return false;
    }
    listener_ = fd;
    listenerNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(listenerNotifier_.get(), &QSocketNotifier::activated, this, &ClockInstance::accept);
    return true;
}

ClockInstance::Start ClockInstance::handOver(const QByteArray& request) {
    const int fd = connectTo(socketPath_);
    if (fd < 0) {
        error_ =
            QCoreApplication::translate("ClockInstance", "the running clock cannot be reached");
        return Start::Refused;
    }
    const QByteArray line = request + '\n';
    char answer[kAcceptedLength] = {};
    std::size_t got = 0;
    bool sent = writeAll(fd, line.constData(), static_cast<std::size_t>(line.size()));
    pollfd waiting{fd, POLLIN, 0};
    while (sent && got<kAcceptedLength&& ::poll(&waiting, 1, kAnswerWaitMs)> 0) {
        const ssize_t read = ::recv(fd, answer + got, kAcceptedLength - got, 0);
        if (read <= 0) {
            break;
        }
        got += static_cast<std::size_t>(read);
    }
    ::close(fd);
    if (got != kAcceptedLength || std::memcmp(answer, kAccepted, kAcceptedLength) != 0) {
        error_ = QCoreApplication::translate("ClockInstance", "the running clock does not answer");
        return Start::Refused;
    }
    return Start::HandedOver;
}

void ClockInstance::accept() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        if (connections_.size() >= kMaxConnections) {
            ::close(fd);
            continue;
        }
        Connection& connection = connections_[fd];
        connection.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(connection.notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { readRequest(fd); });
    }
}

void ClockInstance::readRequest(int fd) {
    auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    QByteArray& received = found->second.received;
    char buffer[4096];
    const ssize_t read = ::recv(fd, buffer, sizeof buffer, 0);
    if (read < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    // Gone without a whole line (a probe whether the clock runs), or more than a path.
    if (read <= 0 || received.size() + read > kMaxRequestBytes) {
        drop(fd);
        return;
    }
    received.append(buffer, read);
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        return;
    }
    const QByteArray request = received.left(end);
    writeAll(fd, kAccepted, kAcceptedLength);
    drop(fd);
    // Loading may ask the user first; the launch that asked is answered and gone by then.
    QMetaObject::invokeMethod(
        this, [this, request] { emit requested(request); }, Qt::QueuedConnection);
}

void ClockInstance::drop(int fd) {
    auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    // Deleted later: this may run inside the notifier's own signal.
    QSocketNotifier* notifier = found->second.notifier.release();
    notifier->setEnabled(false);
    notifier->deleteLater();
    connections_.erase(found);
    ::close(fd);
}
