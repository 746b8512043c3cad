// One process per clock name: the first launch listens on a local socket in the user's
// runtime folder, and a later launch of the same clock hands its request over and ends.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <map>
#include <memory>

class QSocketNotifier;

// Plain Unix sockets rather than Qt Network's: the clock would map and touch a whole library,
// about a megabyte of memory, for one line now and then.
class ClockInstance : public QObject {
    Q_OBJECT

public:
    enum class Start {
        // This process is the clock of the name and receives requests.
        Listening,
        // A running clock of the name took the request over; this process ends.
        HandedOver,
        // A clock of the name runs but did not take the request; the reason is in error().
        Refused,
        // No socket could be made (no runtime folder, say); the clock runs on its own.
        Unavailable,
    };
    // How long a launch waits for the running clock's answer.
    static constexpr int kAnswerWaitMs = 5000;
    // A request is one line (a path, say); anything longer is not ours.
    static constexpr qsizetype kMaxRequestBytes = 16 * 1024;

    explicit ClockInstance(QString socketPath, QObject* parent = nullptr);
    ~ClockInstance() override;

    // The socket of the clock whose settings go by this application name, in
    // $XDG_RUNTIME_DIR; empty when the user has no runtime folder.
    static QString socketPathFor(const QString& applicationName);
    // Whether a clock listens on the socket now.
    static bool isRunning(const QString& socketPath);

    // Becomes the clock of the socket, or hands the request (one line, see ClockRequest) to
    // the one running there. A socket left by a clock that crashed is removed.
    Start start(const QByteArray& request);
    // Hands the request to the clock running there, never becoming that clock: HandedOver or
    // Refused.
    Start handOver(const QByteArray& request);
    const QString& error() const { return error_; }
    const QString& socketPath() const { return socketPath_; }

signals:
    // A later launch's request, the line it sent (see ClockRequest).
    void requested(const QByteArray& request);

private:
    struct Connection {
        QByteArray received;
        std::unique_ptr<QSocketNotifier> notifier;
    };
    bool listen();
    void accept();
    void readRequest(int fd);
    void drop(int fd);

    QString socketPath_;
    QString error_;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> listenerNotifier_;
    std::map<int, Connection> connections_;
};
