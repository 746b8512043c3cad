// What a later launch asks of the running clock: to come forward, to show a scheme file, or to
// set an alarm or a timer; the bytes one request carries on the clock's socket.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct ClockRequest {
    enum class Kind {
        // Come to the front, loading the scheme file when one is named.
        Show,
        Alarm,
        Timer,
    };

    Kind kind = Kind::Show;
    // Show: the scheme file's absolute path; empty for none.
    QString schemePath;
    // Alarm: minutes after local midnight; Timer: its length in seconds.
    qint64 value = 0;
    QString label;
    // When the launch asked (UTC ms): a timer runs from then, not from when the clock heard it.
    qint64 askedAt = 0;

    static ClockRequest show(const QString& schemePath);

    // A scheme path is the file name's own bytes, whatever they are, as the socket has always
    // carried it; an alarm or timer begins with a word no absolute path can begin with.
    QByteArray encode() const;
    // Nothing for bytes that are neither.
    static std::optional<ClockRequest> decode(const QByteArray& bytes);
};
