// The least a Qt program showing a per-pixel-alpha clock can cost: a translucent frameless
// window that repaints a 40 x 80 rectangle once a second and draws nothing else. The idle
// benchmark runs it next to velmora, so that velmora's own share can be told from Qt's.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class FloorWindow : public QWidget {
public:
    FloorWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_NoSystemBackground);
        setWindowTitle(QStringLiteral("QtFloor"));
        resize(200, 200);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] {
            ++ticks_;
            update(QRect(80, 20, 40, 80));
        });
        timer_.start(1000);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), QColor(40, 40, 40, 100 + ticks_ % 100));
    }

private:
    QTimer timer_;
    int ticks_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    FloorWindow window;
    window.show();
    return application.exec();
}
