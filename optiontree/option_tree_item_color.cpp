// COptionTreeItemColor: the color row of the option tree.
#include "optiontree/option_tree_item_color.h"

#include "optiontree/option_tree.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

QColor toColor(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::uint32_t toRgb(const QColor& color) {
    return static_cast<std::uint32_t>(color.rgb()) & 0x00FFFFFF;
}

} // namespace

// The editor: the value as the row draws it, with a focus frame, taking the click or key that
// opens the pop-up.
class COptionTreeItemColor::Window : public QWidget {
public:
    Window(COptionTreeItemColor& item, QWidget* parent) : QWidget(parent), item_(item) {
        setFocusPolicy(Qt::StrongFocus);
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette pal = item_.palette();
        painter.fillRect(rect(), item_.valueBackground(pal));
        item_.paintSwatchAndText(painter, rect());
        if (hasFocus()) {
            QPen pen(pal.color(QPalette::Highlight));
            pen.setStyle(Qt::DotLine);
            painter.setPen(pen);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

    // Taken here: passed on, the press would reach the list as a click on the row.
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            item_.openPopUp(event->globalPosition().toPoint());
            return;
        }
        QWidget::mouseReleaseEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const bool altDown = key == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
            key == Qt::Key_F4 || altDown) {
            item_.showChoices(std::nullopt);
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    COptionTreeItemColor& item_;
};

COptionTreeItemColor::COptionTreeItemColor() = default;

COptionTreeItemColor::~COptionTreeItemColor() {
    COptionTreeItemColor::destroyEditor();
}

bool COptionTreeItemColor::createEditor(std::uint32_t options) {
    if (editorParent() == nullptr || editorWanted_) {
        return false;
    }
    editorWanted_ = true;
    options_ = options;
    return true;
}

COptionTreeItemColor::Window* COptionTreeItemColor::ensureWindow() {
    QWidget* parent = editorParent();
    if (window_ != nullptr || !editorWanted_ || parent == nullptr) {
        return window_.get();
    }
    window_ = std::make_unique<Window>(*this, parent);
    window_->hide();
    window_->setFont(normalFont());
    window_->setGeometry(valueRect());
    watchEditor(window_.get());
    return window_.get();
}

void COptionTreeItemColor::setColor(std::uint32_t rgb) {
    rgb_ = rgb & 0x00FFFFFF;
    redraw();
}

void COptionTreeItemColor::setAutomaticColor(std::uint32_t rgb) {
    automaticRgb_ = rgb & 0x00FFFFFF;
}

QString COptionTreeItemColor::valueText() const {
    if ((options_ & ColorRowOption::kHexText) != 0) {
        return QStringLiteral("#%1").arg(rgb_, 6, 16, QLatin1Char('0')).toUpper();
    }
    const QColor color = toColor(rgb_);
    return QCoreApplication::translate("OptionTree", "RGB (%1, %2, %3)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue());
}

// The window stands for the row's own colour, so making it leaves the row logically unchanged.
QWidget* COptionTreeItemColor::editorWidget() const {
    return const_cast<COptionTreeItemColor*>(this)->ensureWindow();
}

bool COptionTreeItemColor::openPopUp(const QPoint& globalPoint) {
    if (popUp_ != nullptr || tree() == nullptr) {
        return false;
    }
    // The editor stays where it is and keeps the focus: hiding it would hand the focus to the
    // list, and that commits the row before a colour was chosen.
    popUp_ = new COptionTreeColorPopUp(
        toColor(rgb_), toColor(automaticRgb_), normalFont(),
        [this](ColorPopUpMessage message, QColor color) { popUpMessage(message, color); },
        colorDialog_, tree());
    popUp_->popUp(globalPoint);
    return true;
}

void COptionTreeItemColor::popUpMessage(ColorPopUpMessage message, const QColor& color) {
    switch (message) {
    case ColorPopUpMessage::Highlight:
        if ((options_ & ColorRowOption::kLivePreview) != 0) {
            takeColor(color);
        }
        break;
    case ColorPopUpMessage::SetColor:
        takeColor(color);
        break;
    case ColorPopUpMessage::End:
        takeColor(color);
        commit();
        break;
    case ColorPopUpMessage::Cancel:
        // The colour the pop-up started with: a live preview must not outlast a cancel.
        takeColor(color);
        break;
    }
}

void COptionTreeItemColor::takeColor(const QColor& color) {
    if (color.isValid()) {
        rgb_ = toRgb(color);
    }
    redraw();
}

void COptionTreeItemColor::redraw() {
    if (window_ != nullptr) {
        window_->update();
    }
    if (tree() != nullptr) {
        tree()->redraw();
    }
}

void COptionTreeItemColor::paintSwatchAndText(QPainter& painter, const QRect& rect) const {
    const QPalette pal = palette();
    const QRect swatch(rect.left(), rect.top() + 2, kSwatchSize, kSwatchSize);
    painter.fillRect(swatch, toColor(rgb_));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    QRect textRect = rect;
    textRect.setLeft(swatch.right() + 1 + kTextGap);
    drawValueText(painter, textRect, valueText());
}

void COptionTreeItemColor::drawValue(QPainter& painter, const QRect& valueRect) {
    if (editorHasFocus()) {
        return;
    }
    paintSwatchAndText(painter, valueRect);
}

void COptionTreeItemColor::showEditor() {
    if (ensureWindow() == nullptr) {
        return;
    }
    window_->setGeometry(valueRect());
    window_->show();
    window_->raise();
    window_->setFocus(Qt::OtherFocusReason);
}

void COptionTreeItemColor::showChoices(std::optional<QPoint> globalPosition) {
    if (window_ == nullptr) {
        return;
    }
    openPopUp(
        globalPosition.value_or(window_->mapToGlobal(window_->rect().bottomLeft() + QPoint(0, 1))));
}

void COptionTreeItemColor::destroyEditor() {
    editorWanted_ = false;
    if (popUp_ != nullptr) {
        popUp_->detach();
        popUp_->hide();
        popUp_->deleteLater();
        popUp_ = nullptr;
    }
    window_.reset();
}

QWidget* COptionTreeItemColor::existingEditor() const {
    return window_.get();
}
