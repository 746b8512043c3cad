// Notices through the desktop's notification service (org.freedesktop.Notifications on the
// session bus), which shows them in the desktop's own way, with their actions where it offers
// actions.
#pragma once

#include "app/alarms/notifier.h"

class DesktopNotifier : public Notifier {
    Q_OBJECT
public:
    // How long the service may take to answer before the clock shows a dialog of its own.
    static constexpr int kAnswerWaitMs = 5000;

    explicit DesktopNotifier(QObject* parent = nullptr);

    void show(const Notice& notice, std::function<void(quint32 id)> shown) override;
    void close(quint32 id) override;

private slots:
    void onActionInvoked(quint32 id, const QString& action);
    void onClosed(quint32 id, quint32 reason);

private:
    // Connects to the service's signals at the first notice: a clock without alarms never
    // talks to it.
    void listen();

    bool listening_ = false;
};
