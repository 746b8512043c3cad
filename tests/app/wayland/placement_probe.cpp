// The XWayland check's helper: a frameless tool window like the clock's, its placement kept
// by CWindowAligner in a settings file. A left click moves it by 50,30 as the user's drag
// would; every second it prints where the window is.
//
//   placement-probe SETTINGS.conf [own]     own: only the user's changes are saved
#include "app/desktop/settings.h"
#include "app/dialogs/window_aligner.h"
#include "model/settings_keys.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

namespace {

class ProbeWindow : public QWidget {
public:
    explicit ProbeWindow(std::function<void()> clicked)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool), clicked_(std::move(clicked)) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter(this).fillRect(rect(), QColor(0, 160, 0));
    }
    void mousePressEvent(QMouseEvent* /*event*/) override { clicked_(); }

private:
    std::function<void()> clicked_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: placement-probe SETTINGS.conf [own]\n");
        return 2;
    }
    Settings settings(args[1]);
    CWindowAligner aligner(settings);
    if (args.contains(QStringLiteral("own"))) {
        aligner.saveOnlyUserChanges();
    }
    ProbeWindow* window = nullptr;
    ProbeWindow probe([&] {
        aligner.userChange([&] { window->move(window->pos() + QPoint(50, 30)); });
        std::printf("asked %d %d\n", window->x(), window->y());
        std::fflush(stdout);
    });
    window = &probe;
    probe.resize(200, 200);
    aligner.initForWindow(&probe, nullptr, true, settings::kClockWindow, false);
    probe.show();
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, [&] {
        std::printf("at %d %d\n", probe.x(), probe.y());
        std::fflush(stdout);
    });
    report.start(1000);
    return app.exec();
}
