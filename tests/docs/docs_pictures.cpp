// Draws the README's pictures into a folder: clock.png, the clock with its built-in scheme, and
// editor.png, the customize dialog beside the clock with the second hand selected, both at the
// gallery's showcase moment.
//   velmora-docs-pictures OUT_DIR
#include "app/dialogs/about_dialog.h"
#include "app/editor/options_dial.h"
#include "clock/class_registration.h"
#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "render/qt_canvas.h"
#include "resources/default_scheme.h"
#include "tests/clock/memory_settings.h"
#include "time/packed_date_time.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

namespace {

// 2026-12-07T10:08:30 UTC, as the gallery's pictures show their schemes.
const velmora::PackedDateTime kMoment{20261207, 10083000};
constexpr int kClockSide = 256;
constexpr int kMargin = 24;

QImage drawClock(Clock& clock) {
    QImage image(kClockSide, kClockSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QtCanvas canvas(image);
    clock.layoutAndDraw(canvas, {0, 0, kClockSide, kClockSide}, kMoment);
    return image;
}

// The last hand that shows seconds: the second hand, drawn over its shadow.
ClockObject* secondHand(Clock& clock) {
    ClockObject* hand = nullptr;
    for (const auto& child : clock.children()) {
        auto* element = static_cast<ClockObject*>(child.get());
        if (child->isKindOf(ClockHand::kTypeName) &&
            element->timeValueKind() == velmora::TimeValueKind::Second) {
            hand = element;
        }
    }
    return hand;
}

// The dialog on the left and the clock beside it, over a plain desktop.
QImage besideEachOther(const QImage& dialog, const QImage& clock) {
    const QSize size(kMargin + dialog.width() + kMargin + clock.width() + kMargin,
                     kMargin + std::max(dialog.height(), clock.height()) + kMargin);
    QImage desktop(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&desktop);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x3a, 0x5a, 0x78));
    sky.setColorAt(1, QColor(0x1c, 0x2a, 0x38));
    painter.fillRect(desktop.rect(), sky);
    painter.drawImage(kMargin, kMargin, dialog);
    painter.drawImage(kMargin + dialog.width() + kMargin, (size.height() - clock.height()) / 2,
                      clock);
    return desktop;
}

bool save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QLatin1String(name));
    if (!image.save(path)) {
        std::fprintf(stderr, "velmora-docs-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-docs-pictures OUT_DIR\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "velmora-docs-pictures: cannot make %s\n", argv[1]);
        return 1;
    }
    loadAppResources();
    registerSchemeClasses();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    if (!save(drawClock(*clock), folder, "clock.png")) {
        return 1;
    }

    MemorySettings settings;
    COptionsDial customize(*clock, settings);
    if (!customize.isInitialized()) {
        std::fprintf(stderr, "velmora-docs-pictures: the customize dialog did not open\n");
        return 1;
    }
    customize.show();
    customize.selectOnClock(secondHand(*clock));
    QApplication::processEvents();
    const QImage dialog = customize.grab().toImage();
    return save(besideEachOther(dialog, drawClock(*clock)), folder, "editor.png") ? 0 : 1;
}
