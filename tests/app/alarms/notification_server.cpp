// A notification service for the alarm checks: owns org.freedesktop.Notifications on the session
// bus, writes one line to standard output for each call it takes, and may answer each notice
// with an action of its own after a while, as a user would.
//   notification_server [--invoke ACTION --after MS]
// Lines: "ready", "notify ID MS SUMMARY<TAB>BODY<TAB>ACTIONS<TAB>TIMEOUT" (MS: the wall clock in
// milliseconds; ACTIONS joined by '|'), "invoked ID ACTION", "close ID".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>

class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    NotificationServer(QString action, int afterMs) : action_(std::move(action)), after_(afterMs) {}

public slots:
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }

    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
        vendor = QStringLiteral("velmora tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("notification_server");
    }

    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap&, int timeout) {
        const uint id = ++last_;
        say(QStringLiteral("notify %1 %2 %3\t%4\t%5\t%6")
                .arg(id)
                .arg(QDateTime::currentMSecsSinceEpoch())
                .arg(summary, QString(body).replace('\n', ' '), actions.join('|'))
                .arg(timeout));
        if (!action_.isEmpty() && actions.contains(action_)) {
            QTimer::singleShot(after_, this, [this, id] {
                say(QStringLiteral("invoked %1 %2").arg(id).arg(action_));
                emit ActionInvoked(id, action_);
            });
        }
        return id;
    }

    void CloseNotification(uint id) {
        say(QStringLiteral("close %1").arg(id));
        emit NotificationClosed(id, 3);
    }

signals:
    void ActionInvoked(uint id, const QString& action);
    void NotificationClosed(uint id, uint reason);

private:
    static void say(const QString& line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }

    QString action_;
    int after_;
    uint last_ = 0;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    QString action;
    int after = 0;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QLatin1String("--invoke")) {
            action = arguments[i + 1];
        } else if (arguments[i] == QLatin1String("--after")) {
            after = arguments[i + 1].toInt();
        }
    }
    NotificationServer server(action, after);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notification_server: cannot take the service: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return application.exec();
}

#include "notification_server.moc"
