// One process per clock name: the first launch listens on a local socket in the user's
// runtime folder, and a later launch of the same clock hands its request over and ends.
#include "app/clock_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kConnectWaitMs = 1000;
// A clock starting at the same moment holds the lock only while it sets up its socket.
constexpr int kLockWaitMs = 5000;
const QByteArray kAccepted = QByteArrayLiteral("ok\n");

} // namespace

ClockInstance::ClockInstance(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {
    // Only this user may hand requests over; the runtime folder is private to them anyway.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &ClockInstance::accept);
}

ClockInstance::~ClockInstance() {
    server_.close();
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
    if (socketPath.isEmpty()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    return socket.waitForConnected(kConnectWaitMs);
}

ClockInstance::Start ClockInstance::start(const QString& schemePath) {
    if (socketPath_.isEmpty()) {
        error_ = QStringLiteral("no runtime folder (XDG_RUNTIME_DIR)");
        return Start::Unavailable;
    }
    // Two launches at once must not both decide that no clock runs. A lock left by a process
    // that died is taken over, as QLockFile checks whether its owner still lives.
    QLockFile lock(socketPath_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(kLockWaitMs)) {
        error_ = QStringLiteral("cannot lock %1").arg(lock.error());
        return Start::Unavailable;
    }
    if (isRunning(socketPath_)) {
        return handOver(schemePath);
    }
    // Nobody answers: whatever is left at the path is the socket of a clock that crashed.
    QLocalServer::removeServer(socketPath_);
    if (!server_.listen(socketPath_)) {
        error_ = server_.errorString();
        return Start::Unavailable;
    }
    return Start::Listening;
}

ClockInstance::Start ClockInstance::handOver(const QString& schemePath) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        error_ =
            QStringLiteral("the running clock cannot be reached: %1").arg(socket.errorString());
        return Start::Refused;
    }
    socket.write(schemePath.toUtf8() + '\n');
    QByteArray answer;
    while (answer.size() < kAccepted.size() && socket.waitForReadyRead(kAnswerWaitMs)) {
        answer += socket.readAll();
    }
    if (answer != kAccepted) {
        error_ = QStringLiteral("the running clock does not answer");
        return Start::Refused;
    }
    return Start::HandedOver;
}

void ClockInstance::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        readRequest(socket);
    }
}

void ClockInstance::readRequest(QLocalSocket* socket) {
    if (socket->bytesAvailable() > kMaxRequestBytes) {
        socket->abort();
        return;
    }
    if (!socket->canReadLine()) {
        return;
    }
    const QByteArray line = socket->readLine(kMaxRequestBytes).chopped(1);
    socket->write(kAccepted);
    socket->disconnectFromServer();
    // Loading may ask the user first; the launch that asked is answered and gone by then.
    const QString path = QString::fromUtf8(line);
    QMetaObject::invokeMethod(
        this, [this, path] { emit requested(path); }, Qt::QueuedConnection);
}
