// The desktop's background under the clock window, for drawing the frame over it where no
// compositor blends translucent windows with what lies below them.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QImage>
#include <QObject>
#include <memory>

class QWidget;

// Without a compositor the X server shows a translucent window's colours as they are, over
// black. Where the root window has a background pixmap (set by hsetroot, feh and the like in
// _XROOTPMAP_ID or ESETROOT_PMAP_ID), this keeps the part of it under the window, so that the
// window can blend its frame over it itself. It reads again when the window moves or resizes,
// the background changes, or a compositor starts or stops; never per frame.
class DesktopBackdrop : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // Follows the window from now on; the window outlives this.
    explicit DesktopBackdrop(QWidget& window);
    ~DesktopBackdrop() override;

    // The background under the window in the window's pixels, carrying its pixel density.
    // Null while a compositor runs, when the root has no background pixmap or it cannot be
    // read, while the window is hidden, and on platforms other than X11.
    const QImage& image() const { return image_; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The image changed; the whole window needs painting again.
    void changed();

private:
    class X11;
    void refresh();

    QWidget& window_;
    std::unique_ptr<X11> x11_;
    QImage image_;
    bool refreshQueued_ = false;
};
