// How the clock tells of an alarm or a timer: through the desktop's notifications, or a test's
// own stand-in.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Notifier : public QObject {
    Q_OBJECT
public:
    struct Notice {
        QString summary;
        QString body;
        // Whether the notice offers "Dismiss" and "Snooze 5 minutes".
        bool actions = false;
        // A ring stays until answered; a notice of something missed is only news.
        bool urgent = false;
    };
    static constexpr const char* kDismiss = "dismiss";
    static constexpr const char* kSnooze = "snooze";

    using QObject::QObject;
    // Shows the notice; `shown` is told its id, or 0 when no notification service answers.
    virtual void show(const Notice& notice, std::function<void(quint32 id)> shown) = 0;
    virtual void close(quint32 id) = 0;

signals:
    // The user chose an action (kDismiss, kSnooze) of a notice.
    void actionInvoked(quint32 id, const QString& action);
    // The notice went, whoever closed it.
    void closed(quint32 id);
};
