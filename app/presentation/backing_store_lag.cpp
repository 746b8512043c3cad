// What Qt's backing store of the clock's window lacks while frames go to the window directly.
#include "app/presentation/backing_store_lag.h"

#include <QBackingStore>
#include <QWidget>

void BackingStoreLag::presentedDirectly(QWidget& window, const QRegion& logical) {
    QBackingStore* store = window.backingStore();
    if (store != nullptr && !store->size().isEmpty()) {
        store->resize(QSize(0, 0));
    }
    behind_ += logical;
    if (behind_.rectCount() > kMaxRects) {
        behind_ = behind_.boundingRect();
    }
}

void BackingStoreLag::exposed(QWidget& window) {
    if (behind_.isEmpty()) {
        return;
    }
    window.update(behind_);
    behind_ = QRegion();
}
