// One process per clock name: the first launch holds the name's lock and listens on a local
// socket in the user's runtime folder; a later launch of the same clock hands its request
// over and ends.
#pragma once

#include "app/desktop/clock_request.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

class QSocketNotifier;

// Plain Unix sockets rather than Qt Network's: the clock would map and touch a whole library,
// about a megabyte of memory, for one path now and then.
//
// A request is a 32-bit big-endian length and that many bytes of a ClockRequest (a path, say,
// or none: only come to the front), any byte but NUL, so that a name with a line break or
// bytes that are not UTF-8 arrives exactly. The clock answers "ok\n" and carries the request out
// only once the launch confirms with one byte: a launch that gave up waiting never has its file
// loaded later.
class ClockInstance : public QObject {
    Q_OBJECT

public:
    enum class Start {
        // This process is the clock of the name; listen() then takes requests.
        First,
        // A running clock of the name took the request over; this process ends.
        HandedOver,
        // A clock of the name runs but did not take the request; the reason is in error().
        Refused,
    };
    // How long a launch waits for the running clock, which may still be starting.
    static constexpr std::chrono::milliseconds kAnswerWait{5000};
    // A connection that has not sent its whole request (or its confirmation) by then is
    // dropped, so that one left idle holds no place a launch needs.
    static constexpr std::chrono::milliseconds kIdleDrop{1500};
    static constexpr std::size_t kMaxConnections = 16;
    // Longer than any path the system takes, or any alarm's label.
    static constexpr std::uint32_t kMaxRequestBytes = 16 * 1024;

    // Where a clock's instance lives: the socket (empty when there is no safe folder for it),
    // the lock that keeps one clock per name, and what to tell the user once about the
    // folder, if anything.
    struct Places {
        QString socketPath;
        QString lockPath;
        QString notice;
    };
    // The places of the clock whose settings go by this application name: the socket in
    // $XDG_RUNTIME_DIR when that folder is the user's and no one else may write in it, else
    // in a private folder of the user's in the temporary folder; the lock beside the
    // settings file.
    static Places placesFor(const QString& applicationName);
    // A folder fit for the socket: a folder of this user's that no one else may write in.
    // Empty when it is; else why not.
    static QString whyUnsafeFolder(const QString& folder);

    explicit ClockInstance(Places places, QObject* parent = nullptr);
    ~ClockInstance() override;

    // Whether a clock of this application name runs now.
    static bool isRunning(const QString& applicationName);
    // Whether a clock of this user listens on the socket now.
    static bool isListening(const QString& socketPath);

    // Claims the name, or hands the request to the clock that has it.
    Start start(const ClockRequest& request);
    // Hands the request to the clock of the name, never becoming that clock: HandedOver or
    // Refused. Waits up to kAnswerWait for a clock that is starting to listen.
    Start handOver(const ClockRequest& request);
    // Begins taking requests, once the clock is ready for them (its settings read). False
    // when no socket could be made; the clock then runs without taking launches over.
    bool listen();
    const QString& error() const { return error_; }
    const Places& places() const { return places_; }

signals:
    // A later launch's request, confirmed by the launch.
    void requested(const ClockRequest& request);

private:
    struct Connection {
        QByteArray received;
        std::unique_ptr<QSocketNotifier> notifier;
        std::chrono::steady_clock::time_point deadline;
        // The request, once whole and answered; carried out when the launch confirms.
        std::optional<ClockRequest> answered;
    };
    bool lock();
    void accept();
    void readRequest(int fd);
    void drop(int fd);
    void dropIdle();
    // Makes room for one more by dropping the connection that has waited longest.
    void dropOldest();

    Places places_;
    QString error_;
    int lock_ = -1;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> listenerNotifier_;
    std::map<int, Connection> connections_;
    QTimer idleTimer_;
};
