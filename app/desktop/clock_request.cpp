// What a later launch asks of the running clock: to come forward, to show a scheme file, or to
// set an alarm or a timer; the bytes one request carries on the clock's socket.
#include "app/desktop/clock_request.h"

#include "render/qt_text.h"

#include <QList>
#include <filesystem>

namespace {

constexpr char kAlarmWord[] = "alarm";
constexpr char kTimerWord[] = "timer";
constexpr char kSeparator = '\t';

} // namespace

ClockRequest ClockRequest::show(const QString& schemePath) {
    ClockRequest request;
    request.schemePath = schemePath;
    return request;
}

QByteArray ClockRequest::encode() const {
    if (kind == Kind::Show) {
        return QByteArray::fromStdString(qStringToPath(schemePath).native());
    }
    // Tabs and line ends are no part of a label (see cleanLabel), so the label may come last.
    return QByteArray(kind == Kind::Alarm ? kAlarmWord : kTimerWord) + kSeparator +
           QByteArray::number(value) + kSeparator + QByteArray::number(askedAt) + kSeparator +
           label.toUtf8();
}

std::optional<ClockRequest> ClockRequest::decode(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.startsWith('/')) {
        return show(pathToQString(std::filesystem::path(bytes.toStdString())));
    }
    const QList<QByteArray> parts = bytes.split(kSeparator);
    if (parts.size() != 4) {
        return std::nullopt;
    }
    ClockRequest request;
    if (parts[0] == kAlarmWord) {
        request.kind = Kind::Alarm;
    } else if (parts[0] == kTimerWord) {
        request.kind = Kind::Timer;
    } else {
        return std::nullopt;
    }
    bool valueRead = false;
    bool askedRead = false;
    request.value = parts[1].toLongLong(&valueRead);
    request.askedAt = parts[2].toLongLong(&askedRead);
    if (!valueRead || !askedRead) {
        return std::nullopt;
    }
    request.label = QString::fromUtf8(parts[3]);
    return request;
}
