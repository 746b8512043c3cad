// COptionTreeColorPopUp: the colour row's pop-up grid of named colours.
#include "optiontree/option_tree_color_pop_up.h"

#include "optiontree/option_tree_accessible.h"
#include "optiontree/option_tree_controls_accessible.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <algorithm>

namespace {

constexpr int kColorCount = static_cast<int>(kPopUpColors.size());
constexpr int kTextPadding = 6;

int textBoxHeight(const QFontMetrics& metrics) {
    return std::max(ColorPopUpLayout::kBox + 2, metrics.height() + kTextPadding);
}

std::optional<QColor> runColorDialog(const QColor& initial, QWidget* parent) {
    QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace

ColorPopUpLayout::ColorPopUpLayout(const QFont& font, const QString& defaultText,
                                   const QString& customText) {
    QFontMetrics metrics(font);
    const int gridWidth = kColumns * kBox;
    const int textWidth =
        std::max(metrics.horizontalAdvance(defaultText), metrics.horizontalAdvance(customText)) +
        2 * kTextPadding;
    const int innerWidth = std::max(gridWidth, textWidth);
    const int boxHeight = textBoxHeight(metrics);

    int y = kMargin;
    defaultBox_ = QRect(kMargin, y, innerWidth, boxHeight);
    y += boxHeight + kMargin;
    // A font wider than the grid centres the grid under the text boxes.
    gridOrigin_ = QPoint(kMargin + (innerWidth - gridWidth) / 2, y);
    y += kRows * kBox + kMargin;
    customBox_ = QRect(kMargin, y, innerWidth, boxHeight);
    y += boxHeight + kMargin;
    size_ = QSize(innerWidth + 2 * kMargin, y);
}

QRect ColorPopUpLayout::entryRect(int entry) const {
    if (entry == kDefaultEntry) {
        return defaultBox_;
    }
    if (entry == kCustomEntry) {
        return customBox_;
    }
    if (entry < 0 || entry >= kColorCount) {
        return {};
    }
    return QRect(gridOrigin_.x() + (entry % kColumns) * kBox,
                 gridOrigin_.y() + (entry / kColumns) * kBox, kBox, kBox);
}

int ColorPopUpLayout::entryAt(const QPoint& point) const {
    if (defaultBox_.contains(point)) {
        return kDefaultEntry;
    }
    if (customBox_.contains(point)) {
        return kCustomEntry;
    }
    const QPoint inGrid = point - gridOrigin_;
    if (inGrid.x() < 0 || inGrid.y() < 0) {
        return kNoEntry;
    }
    const int column = inGrid.x() / kBox;
    const int row = inGrid.y() / kBox;
    const int entry = row * kColumns + column;
    if (column >= kColumns || row >= kRows || entry >= kColorCount) {
        return kNoEntry;
    }
    return entry;
}

int ColorPopUpLayout::step(int entry, int key) {
    if (entry == kNoEntry) {
        return 0;
    }
    const int lastRowStart = (kRows - 1) * kColumns;
    switch (key) {
    case Qt::Key_Left:
        if (entry == kCustomEntry) {
            return kColorCount - 1;
        }
        if (entry == 0) {
            return kDefaultEntry;
        }
        return entry == kDefaultEntry ? entry : entry - 1;
    case Qt::Key_Right:
        if (entry == kDefaultEntry) {
            return 0;
        }
        if (entry == kColorCount - 1) {
            return kCustomEntry;
        }
        return entry == kCustomEntry ? entry : entry + 1;
    case Qt::Key_Up:
        if (entry == kCustomEntry) {
            return lastRowStart;
        }
        if (entry == kDefaultEntry) {
            return entry;
        }
        return entry < kColumns ? kDefaultEntry : entry - kColumns;
    case Qt::Key_Down:
        if (entry == kDefaultEntry) {
            return 0;
        }
        if (entry == kCustomEntry) {
            return entry;
        }
        return entry + kColumns < kColorCount ? entry + kColumns : kCustomEntry;
    default:
        return entry;
    }
}

QPoint ColorPopUpLayout::placeOnScreen(const QPoint& point, const QSize& size,
                                       const QRect& available) {
    if (!available.isValid()) {
        return point;
    }
    const int x = std::clamp(point.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - size.width()));
    const int y = std::clamp(point.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

COptionTreeColorPopUp::COptionTreeColorPopUp(const QColor& color, const QColor& automaticColor,
                                             const QFont& font, Listener listener,
                                             ColorDialog colorDialog, QWidget* dialogParent)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      initial_(color), automatic_(automaticColor), layout_(font, defaultText(), customText()),
      listener_(std::move(listener)),
      colorDialog_(colorDialog ? std::move(colorDialog) : ColorDialog(runColorDialog)),
      dialogParent_(dialogParent) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    installOptionTreeAccessibility();
    setFont(font);
    if (dialogParent != nullptr) {
        setPalette(dialogParent->palette());
    }
    resize(layout_.size());
    for (int entry = 0; entry < kColorCount; ++entry) {
        if (QColor(kPopUpColors[entry].rgb) == initial_) {
            highlighted_ = entry;
            break;
        }
    }
    // Switching to another application ends the choice, as a click elsewhere does.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) {
                    finish(ColorPopUpMessage::Cancel, initial_);
                }
            });
}

COptionTreeColorPopUp::~COptionTreeColorPopUp() = default;

const QString& COptionTreeColorPopUp::defaultText() {
    static const QString text = QCoreApplication::translate("OptionTree", "Automatic");
    return text;
}

const QString& COptionTreeColorPopUp::customText() {
    static const QString text = QCoreApplication::translate("OptionTree", "More Colors...");
    return text;
}

QString COptionTreeColorPopUp::colorName(int entry) {
    return QCoreApplication::translate("OptionTree", kPopUpColors[entry].name);
}

void COptionTreeColorPopUp::popUp(const QPoint& globalPoint) {
    QScreen* screen = QGuiApplication::screenAt(globalPoint);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    move(ColorPopUpLayout::placeOnScreen(globalPoint, size(), available));
    show();
}

QColor COptionTreeColorPopUp::entryColor(int entry) const {
    if (entry == ColorPopUpLayout::kDefaultEntry) {
        return automatic_;
    }
    if (entry >= 0 && entry < kColorCount) {
        return QColor(kPopUpColors[entry].rgb);
    }
    return initial_;
}

QString COptionTreeColorPopUp::toolTipAt(const QPoint& point) const {
    const int entry = layout_.entryAt(point);
    if (entry < 0) {
        return {};
    }
    return colorName(entry);
}

bool COptionTreeColorPopUp::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this,
                               layout_.entryRect(layout_.entryAt(help->pos())));
        }
        return true;
    }
    return QWidget::event(event);
}

void COptionTreeColorPopUp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette pal = palette();
    const QRect all = rect();
    painter.fillRect(all, pal.color(QPalette::Button));
    // A raised edge, so the pop-up stands out from the dialog face it opens over.
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(all.topLeft(), all.topRight());
    painter.drawLine(all.topLeft(), all.bottomLeft());
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(all.bottomLeft(), all.bottomRight());
    painter.drawLine(all.topRight(), all.bottomRight());

    paintTextBox(painter, ColorPopUpLayout::kDefaultEntry, defaultText());
    for (int entry = 0; entry < kColorCount; ++entry) {
        paintColorBox(painter, entry);
    }
    paintTextBox(painter, ColorPopUpLayout::kCustomEntry, customText());
}

void COptionTreeColorPopUp::paintTextBox(QPainter& painter, int entry, const QString& text) {
    const QPalette pal = palette();
    const QRect box = layout_.entryRect(entry);
    QColor textColor = pal.color(QPalette::ButtonText);
    if (entry == highlighted_) {
        painter.fillRect(box, pal.color(QPalette::Highlight));
        textColor = pal.color(QPalette::HighlightedText);
    }
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(textColor);
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void COptionTreeColorPopUp::paintColorBox(QPainter& painter, int entry) {
    const QPalette pal = palette();
    const QRect box = layout_.entryRect(entry);
    if (entry == highlighted_) {
        painter.fillRect(box, pal.color(QPalette::Highlight));
    } else if (QColor(kPopUpColors[entry].rgb) == initial_) {
        // The colour the row has now sits sunken.
        painter.setPen(pal.color(QPalette::Dark));
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    }
    const QRect swatch = box.adjusted(3, 3, -3, -3);
    painter.fillRect(swatch, QColor(kPopUpColors[entry].rgb));
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void COptionTreeColorPopUp::highlight(int entry) {
    if (entry == ColorPopUpLayout::kNoEntry || entry == highlighted_) {
        return;
    }
    highlighted_ = entry;
    update();
    ColorPopUpAccessible::sendHighlight(this);
    if (listener_) {
        listener_(ColorPopUpMessage::Highlight, entryColor(entry));
    }
}

void COptionTreeColorPopUp::choose(int entry) {
    if (entry == ColorPopUpLayout::kNoEntry) {
        finish(ColorPopUpMessage::Cancel, initial_);
        return;
    }
    if (entry != ColorPopUpLayout::kCustomEntry) {
        finish(ColorPopUpMessage::End, entryColor(entry));
        return;
    }
    // The dialog is modal: get the pop-up and its grab out of its way first.
    hide();
    const QPointer<COptionTreeColorPopUp> self = this;
    const std::optional<QColor> chosen = colorDialog_(initial_, dialogParent_.data());
    if (self == nullptr) {
        return;
    }
    if (chosen && chosen->isValid()) {
        finish(ColorPopUpMessage::End, *chosen);
    } else {
        finish(ColorPopUpMessage::Cancel, initial_);
    }
}

void COptionTreeColorPopUp::finish(ColorPopUpMessage message, const QColor& color) {
    if (finished_) {
        return;
    }
    finished_ = true;
    hide();
    // The listener may delete the row that owns this pointer: report last, delete later.
    deleteLater();
    if (listener_) {
        Listener listener = std::move(listener_);
        listener_ = nullptr;
        listener(message, color);
    }
}

void COptionTreeColorPopUp::mouseMoveEvent(QMouseEvent* event) {
    highlight(layout_.entryAt(event->position().toPoint()));
}

void COptionTreeColorPopUp::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        finish(ColorPopUpMessage::Cancel, initial_);
    }
}

void COptionTreeColorPopUp::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!rect().contains(point)) {
        finish(ColorPopUpMessage::Cancel, initial_);
        return;
    }
    highlight(layout_.entryAt(point));
    choose(highlighted_);
}

void COptionTreeColorPopUp::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        highlight(ColorPopUpLayout::step(highlighted_, event->key()));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        choose(highlighted_);
        break;
    case Qt::Key_Escape:
        finish(ColorPopUpMessage::Cancel, initial_);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void COptionTreeColorPopUp::closeEvent(QCloseEvent* event) {
    // Closed by Qt (a click outside, the application going away): that cancels.
    finish(ColorPopUpMessage::Cancel, initial_);
    QWidget::closeEvent(event);
}
