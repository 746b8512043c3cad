// One process per clock name: the first launch holds the name's lock and listens on a local
// socket in the user's runtime folder; a later launch of the same clock hands its request
// over and ends.
#include "app/desktop/clock_instance.h"

#include "app/desktop/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kBacklog = 8;
constexpr char kAccepted[] = "ok\n";
constexpr std::size_t kAcceptedLength = sizeof kAccepted - 1;
constexpr char kConfirmed = 'y';
// How often a launch tries again while the clock that holds the name is still starting.
constexpr std::chrono::milliseconds kRetryConnect{50};

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

using Clock = std::chrono::steady_clock;

int msUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

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

// Whether the process at the other end runs as this user.
bool peerIsThisUser(int fd) {
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
           length == sizeof peer && peer.uid == ::geteuid();
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

// Reads exactly length bytes before the deadline; false when they did not all come.
bool readAll(int fd, char* data, std::size_t length, Clock::time_point deadline) {
    pollfd waiting{fd, POLLIN, 0};
    while (length > 0) {
        const int ready = ::poll(&waiting, 1, msUntil(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t got = ::recv(fd, data, length, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        data += got;
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

QByteArray encodedRequest(const QByteArray& bytes) {
    const auto length = static_cast<std::uint32_t>(bytes.size());
    QByteArray message;
    message.append(static_cast<char>(length >> 24));
    message.append(static_cast<char>(length >> 16));
    message.append(static_cast<char>(length >> 8));
    message.append(static_cast<char>(length));
    return message + bytes;
}

// A private folder of the user's for the socket where the runtime folder is missing or not
// safe: made for this user alone, or refused when someone else made it first.
QString privateFolder() {
    const QString folder =
        QDir::tempPath() + QStringLiteral("/velmora-%1").arg(static_cast<qulonglong>(::geteuid()));
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return ClockInstance::whyUnsafeFolder(folder).isEmpty() ? folder : QString();
}

} // namespace

QString ClockInstance::whyUnsafeFolder(const QString& folder) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return systemReason();
    }
    if (!S_ISDIR(info.st_mode)) {
        return QCoreApplication::translate("ClockInstance", "it is not a folder");
    }
    if (info.st_uid != ::geteuid()) {
        return QCoreApplication::translate("ClockInstance", "it belongs to another user");
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return QCoreApplication::translate("ClockInstance", "others may write in it");
    }
    return {};
}

ClockInstance::Places ClockInstance::placesFor(const QString& applicationName) {
    Places places;
    // Not "<file>.conf.lock": QSettings locks that name itself while it writes.
    places.lockPath = QFileInfo(Settings::filePathFor(applicationName)).absolutePath() +
                      QLatin1Char('/') + applicationName + QStringLiteral(".lock");
    const QString socketName = applicationName + QStringLiteral(".socket");
    // Not QStandardPaths' fallback, which takes an unsafe folder with only a warning.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString why = runtime.isEmpty()
                      ? QCoreApplication::translate("ClockInstance", "XDG_RUNTIME_DIR is not set")
                      : whyUnsafeFolder(runtime);
    if (why.isEmpty()) {
        places.socketPath = runtime + QLatin1Char('/') + socketName;
        return places;
    }
    const QString own = privateFolder();
    if (!own.isEmpty()) {
        places.socketPath = own + QLatin1Char('/') + socketName;
        if (!runtime.isEmpty()) {
            places.notice =
                QCoreApplication::translate(
                    "ClockInstance", "the runtime folder %1 is not used (%2); later launches reach "
                                     "this clock through %3")
                    .arg(runtime, why, own);
        }
        return places;
    }
    places.notice = QCoreApplication::translate(
                        "ClockInstance",
                        "no safe folder for the clock's socket (%1): later launches cannot hand "
                        "files over to this clock")
                        .arg(why);
    return places;
}

ClockInstance::ClockInstance(Places places, QObject* parent)
    : QObject(parent), places_(std::move(places)) {
    idleTimer_.setInterval(std::chrono::milliseconds(250));
    connect(&idleTimer_, &QTimer::timeout, this, &ClockInstance::dropIdle);
}

ClockInstance::~ClockInstance() {
    for (auto& [fd, connection] : connections_) {
        connection.notifier.reset();
        ::close(fd);
    }
    if (listener_ >= 0) {
        listenerNotifier_.reset();
        ::close(listener_);
        // The next clock of the name finds no socket rather than a stale one.
        ::unlink(QFile::encodeName(places_.socketPath).constData());
    }
    if (lock_ >= 0) {
        ::close(lock_);
    }
}

bool ClockInstance::isListening(const QString& socketPath) {
    const int fd = connectTo(socketPath);
    if (fd < 0) {
        return false;
    }
    const bool ours = peerIsThisUser(fd);
    ::close(fd);
    return ours;
}

bool ClockInstance::isRunning(const QString& applicationName) {
    const Places places = placesFor(applicationName);
    const int fd = ::open(QFile::encodeName(places.lockPath).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        if (held) {
            return true;
        }
    }
    return !places.socketPath.isEmpty() && isListening(places.socketPath);
}

bool ClockInstance::lock() {
    const QString folder = QFileInfo(places_.lockPath).absolutePath();
    QDir().mkpath(folder);
    lock_ = ::open(QFile::encodeName(places_.lockPath).constData(),
                   O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    struct stat info {};
    if (lock_ >= 0 && (::fstat(lock_, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(lock_);
        lock_ = -1;
    }
    return lock_ >= 0;
}

ClockInstance::Start ClockInstance::start(const ClockRequest& request) {
    // The lock decides which launch is the clock, whether or not there is a socket. A lock
    // dies with its process, so a clock that crashed leaves none behind.
    if (lock()) {
        if (::flock(lock_, LOCK_EX | LOCK_NB) == 0) {
            return Start::First;
        }
        ::close(lock_);
        lock_ = -1;
        return handOver(request);
    }
    // No lock to be had (a read-only settings folder, say): the socket alone tells.
    if (!places_.socketPath.isEmpty() && isListening(places_.socketPath)) {
        return handOver(request);
    }
    return Start::First;
}

ClockInstance::Start ClockInstance::handOver(const ClockRequest& request) {
    if (places_.socketPath.isEmpty()) {
        error_ = QCoreApplication::translate(
            "ClockInstance", "a clock of this name runs already; without a safe runtime folder it "
                             "cannot take files over");
        return Start::Refused;
    }
    const QByteArray bytes = request.encode();
    if (bytes.contains('\0') || static_cast<std::uint32_t>(bytes.size()) > kMaxRequestBytes) {
        error_ =
            QCoreApplication::translate("ClockInstance", "the file name cannot be handed over");
        return Start::Refused;
    }
    const Clock::time_point deadline = Clock::now() + kAnswerWait;
    // The clock that holds the name may still be reading its settings before it listens.
    int fd = connectTo(places_.socketPath);
    while (fd < 0 && Clock::now() < deadline) {
        QThread::msleep(static_cast<unsigned long>(kRetryConnect.count()));
        fd = connectTo(places_.socketPath);
    }
    if (fd < 0) {
        error_ =
            QCoreApplication::translate("ClockInstance", "the running clock cannot be reached");
        return Start::Refused;
    }
    if (!peerIsThisUser(fd)) {
        ::close(fd);
        error_ = QCoreApplication::translate(
                     "ClockInstance", "the socket %1 belongs to another user; nothing was sent")
                     .arg(places_.socketPath);
        return Start::Refused;
    }
    const QByteArray message = encodedRequest(bytes);
    char answer[kAcceptedLength] = {};
    const bool accepted =
        writeAll(fd, message.constData(), static_cast<std::size_t>(message.size())) &&
        readAll(fd, answer, kAcceptedLength, deadline) &&
        std::memcmp(answer, kAccepted, kAcceptedLength) == 0 && writeAll(fd, &kConfirmed, 1);
    ::close(fd);
    if (!accepted) {
        error_ = QCoreApplication::translate("ClockInstance", "the running clock does not answer");
        return Start::Refused;
    }
    return Start::HandedOver;
}

bool ClockInstance::listen() {
    sockaddr_un address;
    if (places_.socketPath.isEmpty()) {
        error_ = places_.notice;
        return false;
    }
    if (!addressOf(places_.socketPath, address)) {
        error_ = QCoreApplication::translate("ClockInstance", "the socket path %1 is too long")
                     .arg(places_.socketPath);
        return false;
    }
    // This process holds the name: whatever is left at the path is the socket of a clock
    // that crashed. The folder is the user's alone, so nobody else's file is there.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error_ = systemReason();
        return false;
    }
    // Only this user may connect, whatever the folder allows; the peer's user is checked
    // again on every connection.
    const mode_t previous = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(previous);
    if (!bound || ::listen(fd, kBacklog) != 0) {
        error_ = systemReason();
        ::close(fd);
        return false;
    }
    listener_ = fd;
    listenerNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(listenerNotifier_.get(), &QSocketNotifier::activated, this, &ClockInstance::accept);
    return true;
}

void ClockInstance::accept() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        if (!peerIsThisUser(fd)) {
            ::close(fd);
            continue;
        }
        if (connections_.size() >= kMaxConnections) {
            dropOldest();
        }
        Connection& connection = connections_[fd];
        connection.deadline = Clock::now() + kIdleDrop;
        connection.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(connection.notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { readRequest(fd); });
        idleTimer_.start();
        // A launch sends at once: its request is usually there already.
        readRequest(fd);
    }
}

void ClockInstance::readRequest(int fd) {
    auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    Connection& connection = found->second;
    char buffer[4096];
    const ssize_t read = ::recv(fd, buffer, sizeof buffer, 0);
    if (read < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    if (read <= 0) {
        // Gone: a probe whether the clock runs, or a launch that gave up waiting.
        drop(fd);
        return;
    }
    if (connection.answered.has_value()) {
        const std::optional<ClockRequest> request = std::move(connection.answered);
        const bool confirmed = buffer[0] == kConfirmed;
        drop(fd);
        if (confirmed) {
            // Loading may ask the user first; the launch that asked has gone by then.
            QMetaObject::invokeMethod(
                this, [this, request] { emit requested(*request); }, Qt::QueuedConnection);
        }
        return;
    }
    connection.received.append(buffer, read);
    const QByteArray& received = connection.received;
    if (received.size() < 4) {
        return;
    }
    const auto* header = reinterpret_cast<const unsigned char*>(received.constData());
    const std::uint32_t length = (std::uint32_t{header[0]} << 24) |
                                 (std::uint32_t{header[1]} << 16) |
                                 (std::uint32_t{header[2]} << 8) | std::uint32_t{header[3]};
    const qsizetype whole = 4 + static_cast<qsizetype>(length);
    // Longer than a request, a NUL that would cut it short, or more than one request.
    if (length > kMaxRequestBytes || received.size() > whole || received.indexOf('\0', 4) >= 0) {
        drop(fd);
        return;
    }
    if (received.size() < whole) {
        return;
    }
    connection.answered = ClockRequest::decode(received.mid(4, length));
    if (!connection.answered.has_value()) {
        drop(fd);
        return;
    }
    connection.received.clear();
    connection.deadline = Clock::now() + kIdleDrop;
    if (!writeAll(fd, kAccepted, kAcceptedLength)) {
        drop(fd);
    }
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
    if (connections_.empty()) {
        idleTimer_.stop();
    }
}

void ClockInstance::dropIdle() {
    const Clock::time_point now = Clock::now();
    std::vector<int> expired;
    for (const auto& [fd, connection] : connections_) {
        if (connection.deadline <= now) {
            expired.push_back(fd);
        }
    }
    for (const int fd : expired) {
        drop(fd);
    }
}

void ClockInstance::dropOldest() {
    auto oldest = connections_.begin();
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->second.deadline < oldest->second.deadline) {
            oldest = it;
        }
    }
    if (oldest != connections_.end()) {
        drop(oldest->first);
    }
}
