// Tells when a tray host may have come or gone, from the desktop's own notices.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <memory>

class QDBusServiceWatcher;

// A tray host on X11 owns the selection "_NET_SYSTEM_TRAY_S<screen>"; on desktops with a
// session bus Qt may use a StatusNotifier host instead. This watches both, so that the clock
// need not ask the desktop again and again: the X server tells of each new owner or owner
// gone (XFixes), and the bus of the watcher service's coming and going. Where neither can be
// watched, the owner has to poll.
class TrayWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit TrayWatcher(QObject* parent = nullptr);
    ~TrayWatcher() override;

    // Starts watching; false when the platform gives no notices to watch.
    bool start();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The tray may have changed: ask the platform again.
    void changed();

private:
    bool watchX11Selection();
    void watchSessionBus();

    std::unique_ptr<QDBusServiceWatcher> busWatcher_;
    // The response type of XFixes' reports on the tray's selection; 0 while not watched.
    int reportType_ = 0;
    std::uint32_t trayAtom_ = 0;
    bool filtering_ = false;
};
