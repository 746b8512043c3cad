// COptionTreeList: painting, scrolling, mouse and keys of the option tree.
#include "optiontree/option_tree_list.h"

#include "optiontree/keyboard_focus.h"
#include "optiontree/option_tree.h"
#include "optiontree/option_tree_geometry.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <utility>

COptionTreeList::COptionTreeList(COptionTree& tree)
    : QAbstractScrollArea(&tree), tree_(tree), dividerCursor_(Qt::SplitHCursor) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // Qt's backing store already buffers the paint; clearing the viewport first is not needed.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(OptionTreeGeometry::kLineStep);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!settingScroll_) {
            tree_.setScrollOffset(value);
        }
    });
}

int COptionTreeList::pageHeight() const {
    return viewport()->height() + 1;
}

void COptionTreeList::applyScrollRange(int contentHeight) {
    settingScroll_ = true;
    QScrollBar* bar = verticalScrollBar();
    const int page = pageHeight();
    bar->setPageStep(page);
    bar->setRange(0, std::max(0, contentHeight - page));
    bar->setValue(tree_.scrollOffset());
    settingScroll_ = false;
}

void COptionTreeList::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    paintList(painter);
}

void COptionTreeList::paintList(QPainter& painter) {
    const QPalette pal = tree_.palette();
    const bool enabled = tree_.isEnabled();
    const QRect client = viewport()->rect();
    const QColor face = pal.color(QPalette::Button);
    const QColor window = enabled ? pal.color(QPalette::Base) : face;
    const bool shadeMargin = (tree_.options() & OptionTreeOption::kShadeMargin) != 0 || !enabled;

    tree_.updateScrollRangeIfDirty();
    tree_.beginVisibleChain();
    painter.fillRect(client, face);
    painter.fillRect(client.adjusted(2, 2, -2, -2), window);
    painter.fillRect(QRect(0, 0, OptionTreeGeometry::kMargin, client.height()),
                     shadeMargin ? face : window);

    painter.save();
    painter.setClipRect(client);
    int y = -tree_.scrollOffset();
    for (COptionTreeItem* row = tree_.rootItem()->firstChild(); row != nullptr;
         row = row->nextSibling()) {
        // Rows below the view are laid out but need no pixels.
        if (y >= client.height()) {
            y += row->drawItem(nullptr, 0, y);
        } else {
            y += row->drawItem(&painter, 0, y);
        }
    }
    painter.restore();

    const QColor shadow = pal.color(QPalette::Mid);
    painter.setPen(shadow);
    painter.drawLine(OptionTreeGeometry::kMargin, 0, OptionTreeGeometry::kMargin, client.height());
    // A sunken edge: shadow above and left, light below and right.
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(client.topLeft(), client.topRight());
    painter.drawLine(client.topLeft(), client.bottomLeft());
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(client.bottomLeft(), client.bottomRight());
    painter.drawLine(client.topRight(), client.bottomRight());

    if (hasFocus()) {
        drawFocus(painter);
    }
    if (dragging_) {
        drawDragLine(painter);
    }
    // Where a moved row would go.
    if (movingRow_ && dropY_ >= 0) {
        painter.fillRect(QRect(OptionTreeGeometry::kMargin, dropY_ - 1,
                               client.width() - OptionTreeGeometry::kMargin, 3),
                         pal.color(QPalette::Highlight));
    }
}

void COptionTreeList::drawFocus(QPainter& painter) {
    // Around the focused row, or around the whole list when no row has the focus yet, so
    // that a keyboard user sees where the keys go.
    const COptionTreeItem* focused = tree_.focusedItem();
    if (focused == nullptr) {
        drawKeyboardFocus(painter, viewport()->rect().adjusted(2, 2, -2, -2),
                          tree_.palette().color(QPalette::Text));
        return;
    }
    drawKeyboardFocus(
        painter, focused->rowRect().adjusted(OptionTreeGeometry::kMargin + 1, 0, 0, 0),
        tree_.palette().color(focused->isMarked() ? QPalette::HighlightedText : QPalette::Text));
}

void COptionTreeList::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    tree_.announceFocus();
}

void COptionTreeList::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void COptionTreeList::drawDragLine(QPainter& painter) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(dragX_ - 2, 0, 4, viewport()->height()),
                     QBrush(Qt::white, Qt::Dense4Pattern));
    painter.restore();
}

void COptionTreeList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    tree_.updateScrollRange();
    tree_.moveEditors();
}

void COptionTreeList::scrollContentsBy(int, int) {
    // The rows are drawn at the tree's scroll offset, which the scroll bar's signal sets.
}

bool COptionTreeList::acceptsInput() const {
    return tree_.isEnabled() && !tree_.isInputDisabled();
}

void COptionTreeList::mousePressEvent(QMouseEvent* event) {
    if (!acceptsInput() || event->button() != Qt::LeftButton) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint position = event->position().toPoint();
    pressPoint_ = position;
    tree_.layoutRows();
    const int hit = tree_.hitTest(position);
    COptionTreeItem* item = tree_.itemAt(position);
    if (hit == OptionTreeHit::kColumn) {
        if (tree_.notify(OptionTreeNotify::kColumnClick, nullptr) == 0) {
            dragging_ = true;
            dragX_ = tree_.columnPosition();
            viewport()->update();
        }
        return;
    }
    if (hit == OptionTreeHit::kExpand && item != nullptr && item->hasChildren()) {
        toggleExpanded(item);
        return;
    }
    if (item == nullptr) {
        tree_.selectItems(nullptr, false);
        tree_.setFocusedItem(nullptr);
        tree_.notify(OptionTreeNotify::kSelectionChanged, nullptr);
        return;
    }
    pressOnRow(item, hit);
}

void COptionTreeList::pressOnRow(COptionTreeItem* item, int hit) {
    if (hit == OptionTreeHit::kLabel && item->isMovable()) {
        pressedRow_ = item;
    }
    tree_.selectItems(nullptr, false);
    item->setMarked(true);
    QPointer<COptionTree> tree = &tree_;
    if (item != tree_.focusedItem()) {
        tree_.notify(OptionTreeNotify::kSelectionChanged, item);
    }
    // The receiver may have rebuilt the tree.
    if (tree == nullptr || !tree_.containsItem(item)) {
        return;
    }
    if (hit == OptionTreeHit::kAttribute && !item->isRootLevel() && !item->isReadOnly() &&
        tree_.notify(OptionTreeNotify::kPropertyClick, item) == 0 && tree_.containsItem(item)) {
        item->activate();
        clickOpened_ = item;
    }
    if (tree_.containsItem(item)) {
        tree_.setFocusedItem(item);
    }
}

void COptionTreeList::toggleExpanded(COptionTreeItem* item) {
    if (tree_.notify(OptionTreeNotify::kItemExpanding, item) != 0 || !tree_.containsItem(item)) {
        return;
    }
    item->setExpanded(!item->isExpanded());
    tree_.updateScrollRange();
    tree_.moveEditors();
    viewport()->update();
    tree_.dropHiddenFocus();
}

void COptionTreeList::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (dragging_) {
        dragX_ = position.x();
        viewport()->update();
        return;
    }
    if (pressedRow_ != nullptr && (event->buttons() & Qt::LeftButton) &&
        tree_.containsItem(pressedRow_)) {
        if (!movingRow_ &&
            (position - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            movingRow_ = true;
            viewport()->setCursor(Qt::ClosedHandCursor);
        }
        if (movingRow_) {
            moveRowTo(position.y());
            return;
        }
    }
    updateCursor(position);
}

namespace {

// The height a row takes on the screen with its expanded rows.
int shownHeight(const COptionTreeItem& row) {
    int height = row.height();
    if (row.isExpanded()) {
        for (const COptionTreeItem* child = row.firstChild(); child != nullptr;
             child = child->nextSibling()) {
            height += shownHeight(*child);
        }
    }
    return height;
}

} // namespace

void COptionTreeList::moveRowTo(int y) {
    // Near an edge the list scrolls, so that any place can be reached.
    const int step = OptionTreeGeometry::kLineStep;
    if (y < step) {
        tree_.setScrollOffset(tree_.scrollOffset() - step);
    } else if (y > viewport()->height() - step) {
        tree_.setScrollOffset(tree_.scrollOffset() + step);
    }
    tree_.layoutRows();
    dropBefore_ = nullptr;
    dropY_ = -1;
    for (COptionTreeItem* sibling = pressedRow_->parentItem()->firstChild(); sibling != nullptr;
         sibling = sibling->nextSibling()) {
        if (!sibling->isMovable()) {
            continue;
        }
        const int top = sibling->location().y();
        if (y < top + sibling->height() / 2) {
            dropBefore_ = sibling;
            dropY_ = top;
            break;
        }
        dropY_ = top + shownHeight(*sibling);
    }
    viewport()->update();
}

void COptionTreeList::endRowMove() {
    pressedRow_ = nullptr;
    movingRow_ = false;
    dropBefore_ = nullptr;
    dropY_ = -1;
    viewport()->unsetCursor();
    viewport()->update();
}

void COptionTreeList::mouseReleaseEvent(QMouseEvent* event) {
    // One click opens a list or a pop-up of choices; opened on the press, the release would
    // land in it and choose.
    COptionTreeItem* opened = std::exchange(clickOpened_, nullptr);
    if (opened != nullptr && tree_.containsItem(opened) && opened->isActivated()) {
        opened->showChoices(event->globalPosition().toPoint());
    }
    if (movingRow_ && tree_.containsItem(pressedRow_)) {
        COptionTreeItem* row = pressedRow_;
        COptionTreeItem* before = dropBefore_;
        endRowMove();
        // A row dropped into its own place stays.
        if (before != row) {
            tree_.dropRow(row, before);
        }
        return;
    }
    pressedRow_ = nullptr;
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    const int x = event->position().toPoint().x();
    tree_.setColumnPosition(OptionTreeGeometry::releasedColumn(x, viewport()->width()));
    tree_.moveEditors();
    tree_.redraw();
}

void COptionTreeList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!acceptsInput() || event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint position = event->position().toPoint();
    tree_.layoutRows();
    const int hit = tree_.hitTest(position);
    if (hit == OptionTreeHit::kColumn) {
        dragging_ = false;
        tree_.setColumnPosition(
            OptionTreeGeometry::fittedColumn(tree_.widestLabelRight(), viewport()->width()));
        tree_.moveEditors();
        tree_.redraw();
        return;
    }
    COptionTreeItem* item = tree_.itemAt(position);
    if (item == nullptr || !item->hasChildren()) {
        return;
    }
    if (hit == OptionTreeHit::kAttribute && !item->isRootLevel()) {
        return;
    }
    if (hit != OptionTreeHit::kExpand) {
        tree_.selectItems(nullptr, false);
        item->setMarked(true);
        if (item != tree_.focusedItem()) {
            tree_.notify(OptionTreeNotify::kSelectionChanged, item);
        }
        if (!tree_.containsItem(item)) {
            return;
        }
        tree_.setFocusedItem(item);
    }
    toggleExpanded(item);
}

void COptionTreeList::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (tree_.contentHeight() < pageHeight()) {
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        return;
    }
    const int lines = std::max(1, QApplication::wheelScrollLines());
    tree_.setScrollOffset(tree_.scrollOffset() - notches * lines * OptionTreeGeometry::kLineStep);
}

void COptionTreeList::activateFocused(bool showChoices) {
    COptionTreeItem* item = tree_.focusedItem();
    if (item != nullptr && !item->isRootLevel() && !item->isReadOnly()) {
        tree_.layoutRows();
        item->activate();
        if (showChoices && tree_.containsItem(item) && item->isActivated()) {
            item->showChoices(std::nullopt);
        }
    }
}

void COptionTreeList::editAdjacent(bool back) {
    const COptionTreeItem* focused = tree_.focusedItem();
    if (focused != nullptr && !focused->isRootLevel()) {
        if (back) {
            tree_.focusPrevious();
        } else {
            tree_.focusNext();
        }
    }
    activateFocused(false);
}

void COptionTreeList::keyPressEvent(QKeyEvent* event) {
    if (!acceptsInput()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    COptionTreeItem* focused = tree_.focusedItem();
    const bool back =
        event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab leaves the list from any row, as it leaves other widgets that take Tab.
        if ((event->modifiers() & Qt::ControlModifier) != 0) {
            QAbstractScrollArea::focusNextPrevChild(!back);
            return;
        }
        editAdjacent(back);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A row that opens no editor leaves Enter to the dialog's default button.
        if (focused == nullptr || focused->isRootLevel()) {
            event->ignore();
            return;
        }
        activateFocused(true);
        break;
    case Qt::Key_Home:
        tree_.focusFirst();
        break;
    case Qt::Key_End:
        tree_.focusLast();
        break;
    case Qt::Key_Left:
        if (focused != nullptr && focused->hasChildren() && focused->isExpanded()) {
            toggleExpanded(focused);
        } else {
            tree_.focusPrevious();
        }
        break;
    case Qt::Key_Right:
        if (focused != nullptr && focused->hasChildren() && !focused->isExpanded()) {
            toggleExpanded(focused);
        } else {
            tree_.focusNext();
        }
        break;
    case Qt::Key_Up:
        tree_.focusPrevious();
        break;
    case Qt::Key_Down:
        tree_.focusNext();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    tree_.redraw();
}

// From the mouse on the viewport (its coordinates), or from the keyboard for the focused row.
void COptionTreeList::contextMenuEvent(QContextMenuEvent* event) {
    if (!acceptsInput()) {
        return;
    }
    tree_.layoutRows();
    if (event->reason() == QContextMenuEvent::Mouse) {
        tree_.requestRowMenu(tree_.itemAt(event->pos()), event->globalPos());
        return;
    }
    if (COptionTreeItem* focused = tree_.focusedItem()) {
        tree_.requestRowMenu(focused, viewport()->mapToGlobal(focused->rowRect().center()));
    }
}

bool COptionTreeList::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab move between rows. Where they would stay put (on the top-level row, or
    // on the last row going on) they leave the list instead, so that the keyboard reaches the
    // rest of the dialog. The open editors inside keep Tab for themselves.
    if (hasFocus() && tabLeaves(next)) {
        return QAbstractScrollArea::focusNextPrevChild(next);
    }
    return false;
}

bool COptionTreeList::tabLeaves(bool next) {
    const COptionTreeItem* focused = tree_.focusedItem();
    if (focused == nullptr || focused->isRootLevel()) {
        return true;
    }
    tree_.layoutRows();
    return next && focused->nextVisible() == nullptr;
}

bool COptionTreeList::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        viewport()->unsetCursor();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void COptionTreeList::updateCursor(const QPoint& position) {
    const int hit = tree_.hitTest(position);
    if (hit == OptionTreeHit::kColumn) {
        viewport()->setCursor(dividerCursor_);
    } else if (hit == OptionTreeHit::kExpand) {
        viewport()->setCursor(Qt::PointingHandCursor);
    } else {
        viewport()->unsetCursor();
    }
}
