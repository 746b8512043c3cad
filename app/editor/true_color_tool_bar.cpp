// CTrueColorToolBar: a toolbar whose button images come from one strip of full-colour images.
#include "app/editor/true_color_tool_bar.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLayout>
#include <QPixmap>
#include <QPixmapCache>
#include <QToolButton>
#include <vector>

namespace {

QString doubleDensityPath(const QString& path) {
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path + QStringLiteral("@2x")
                   : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// Strips drawn without alpha mark their background with one colour, that of the
// bottom-left pixel.
QImage withTransparency(QImage image) {
    if (image.hasAlphaChannel()) {
        return image;
    }
    const QRgb key = image.pixel(0, image.height() - 1);
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return image;
}

// The strip cut into its images, each carrying its pixel density; empty on failure.
std::vector<QPixmap> cutStripAnew(const QString& path, int buttonWidth, qreal ratio,
                                  std::size_t count) {
    QImage strip(path);
    const int width = qRound(buttonWidth * ratio);
    if (strip.isNull() || width <= 0 || static_cast<std::size_t>(strip.width() / width) < count) {
        return {};
    }
    strip = withTransparency(strip);
    std::vector<QPixmap> images;
    for (std::size_t i = 0; i < count; ++i) {
        QPixmap image =
            QPixmap::fromImage(strip.copy(static_cast<int>(i) * width, 0, width, strip.height()));
        image.setDevicePixelRatio(ratio);
        images.push_back(image);
    }
    return images;
}

// As cutStripAnew, looked up in Qt's pixmap cache first: the style caches what it derives from
// an icon (its hover and disabled looks) under the pixmap's serial, so new pixmaps for each
// dialog would add entries that stay until the cache is full, some 25 KB a dialog.
std::vector<QPixmap> cutStrip(const QString& path, int buttonWidth, qreal ratio,
                              std::size_t count) {
    const QString key = QStringLiteral("velmora-toolbar:%1:%2:%3:%4:")
                            .arg(path)
                            .arg(buttonWidth)
                            .arg(ratio)
                            .arg(count);
    std::vector<QPixmap> images;
    for (std::size_t i = 0; i < count; ++i) {
        QPixmap image;
        if (!QPixmapCache::find(key + QString::number(i), &image)) {
            break;
        }
        images.push_back(image);
    }
    if (images.size() == count) {
        return images;
    }
    images = cutStripAnew(path, buttonWidth, ratio, count);
    for (std::size_t i = 0; i < images.size(); ++i) {
        QPixmapCache::insert(key + QString::number(i), images[i]);
    }
    return images;
}

} // namespace

CTrueColorToolBar::CTrueColorToolBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void CTrueColorToolBar::setButtons(std::span<const ToolBarButton> buttons) {
    clear();
    hasCaptions_ = false;
    for (const ToolBarButton& button : buttons) {
        if (button.id == 0) {
            addSeparator();
            continue;
        }
        // The tables mark their texts for translation in the "ToolBar" context.
        const QString tip = QCoreApplication::translate("ToolBar", button.toolTip);
        const bool captioned = button.caption != nullptr && *button.caption != '\0';
        hasCaptions_ = hasCaptions_ || captioned;
        QAction* action =
            addAction(captioned ? QCoreApplication::translate("ToolBar", button.caption) : tip);
        action->setToolTip(tip);
        action->setObjectName(QString::number(button.id));
        action->setData(button.id);
        // Reached by Tab like any button, and named by what it does, not by its caption.
        if (QWidget* widget = widgetForAction(action); widget != nullptr) {
            widget->setFocusPolicy(Qt::TabFocus);
            widget->setAccessibleName(tip);
        }
        const int id = button.id;
        connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
    }
    updateButtonStyle();
}

bool CTrueColorToolBar::loadButtonImages(int buttonWidth, const QString& normal, const QString& hot,
                                         const QString& disabled) {
    std::vector<QAction*> buttons;
    for (QAction* action : actions()) {
        if (!action->isSeparator()) {
            buttons.push_back(action);
        }
    }
    struct Strip {
        const QString& path;
        QIcon::Mode mode;
    };
    const Strip strips[] = {
        {normal, QIcon::Normal}, {hot, QIcon::Active}, {disabled, QIcon::Disabled}};
    std::vector<QIcon> icons(buttons.size());
    int height = 0;
    for (const Strip& strip : strips) {
        if (strip.path.isEmpty()) {
            continue;
        }
        const std::vector<QPixmap> images = cutStrip(strip.path, buttonWidth, 1, buttons.size());
        if (images.size() != buttons.size()) {
            return false;
        }
        const QString dense = doubleDensityPath(strip.path);
        std::vector<QPixmap> denseImages;
        if (QFileInfo::exists(dense)) {
            denseImages = cutStrip(dense, buttonWidth, 2, buttons.size());
        }
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            icons[i].addPixmap(images[i], strip.mode);
            if (i < denseImages.size()) {
                icons[i].addPixmap(denseImages[i], strip.mode);
            }
        }
        height = std::max(height, images.empty() ? 0 : images.front().height());
    }
    if (normal.isEmpty()) {
        return false;
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setIcon(icons[i]);
    }
    setIconSize(QSize(buttonWidth, height));
    updateButtonStyle();
    return true;
}

QAction* CTrueColorToolBar::action(int id) const {
    for (QAction* action : actions()) {
        if (action->data().toInt() == id && !action->isSeparator()) {
            return action;
        }
    }
    return nullptr;
}

void CTrueColorToolBar::updateButtonStyle() {
    if (updatingStyle_) {
        return;
    }
    updatingStyle_ = true;
    Qt::ToolButtonStyle chosen = Qt::ToolButtonIconOnly;
    if (hasCaptions_) {
        // The layout's hint counts every button in a style; the first style whose buttons all
        // fit wins, so none hides behind the extension arrow or loses its lower edge.
        for (const Qt::ToolButtonStyle style :
             {Qt::ToolButtonTextBesideIcon, Qt::ToolButtonTextUnderIcon}) {
            setToolButtonStyle(style);
            const QSize needed = layout() != nullptr ? layout()->sizeHint() : sizeHint();
            if (needed.width() <= width() && needed.height() <= height()) {
                chosen = style;
                break;
            }
        }
    }
    setToolButtonStyle(chosen);
    updatingStyle_ = false;
}

void CTrueColorToolBar::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button, as it presses a focused push button, instead of
    // travelling on to the dialog's default button.
    auto* button = qobject_cast<QToolButton*>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button != nullptr &&
        button->hasFocus() && button->isEnabled()) {
        button->click();
        return;
    }
    QToolBar::keyPressEvent(event);
}

void CTrueColorToolBar::resizeEvent(QResizeEvent* event) {
    QToolBar::resizeEvent(event);
    updateButtonStyle();
}

void CTrueColorToolBar::changeEvent(QEvent* event) {
    QToolBar::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateButtonStyle();
    }
}
