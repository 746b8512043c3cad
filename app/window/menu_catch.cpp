// On a layer surface, presses outside the program's open menus close them, as on X11.
#include "app/window/menu_catch.h"

#include "app/window/clock_pointer.h"
#include "app/window/layer_clock.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool isPopup(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && widget->isWindow() && widget->windowType() == Qt::Popup;
}

} // namespace

MenuCatch::MenuCatch(LayerClock& layer, std::function<QRect()> clockArea)
    : layer_(layer), clockArea_(std::move(clockArea)) {
    qApp->installEventFilter(this);
}

MenuCatch::~MenuCatch() {
    qApp->removeEventFilter(this);
    if (catching_) {
        layer_.stopCatchingPresses();
    }
}

QRegion MenuCatch::keptOut(const QRect& clockArea) {
    QRegion popups;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (isPopup(widget) && widget->isVisible()) {
            popups += widget->frameGeometry();
        }
    }
    return popups.isEmpty() ? QRegion() : popups + clockArea;
}

bool MenuCatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        // After the popup has settled: a menu opening is shown, then moved into place.
        if (isPopup(watched) && !queued_) {
            queued_ = true;
            QMetaObject::invokeMethod(this, &MenuCatch::update, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return false;
}

void MenuCatch::update() {
    queued_ = false;
    const QRegion keepOut = keptOut(clockArea_());
    if (keepOut.isEmpty()) {
        if (catching_) {
            catching_ = false;
            layer_.stopCatchingPresses();
        }
        return;
    }
    catching_ = true;
    layer_.catchPressesOutside(keepOut, [] { ClockPointer::closeMenus(); });
}
