// COptionTree: rows, focus, marks, scrolling, notifications and the description pane.
#include "optiontree/option_tree.h"

#include "optiontree/option_tree_accessible.h"
#include "optiontree/option_tree_geometry.h"
#include "optiontree/option_tree_info.h"
#include "optiontree/option_tree_item_check_box.h"
#include "optiontree/option_tree_item_color.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_edit.h"
#include "optiontree/option_tree_item_file.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_list.h"
#include "optiontree/option_tree_row_accessible.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QScrollBar>

namespace {

std::unique_ptr<COptionTreeItem> createRow(RowKind kind) {
    switch (kind) {
    case RowKind::Plain:
        return std::make_unique<COptionTreeItem>();
    case RowKind::Spinner:
        return std::make_unique<COptionTreeItemSpinner>();
    case RowKind::CheckBox:
        return std::make_unique<COptionTreeItemCheckBox>();
    case RowKind::ComboBox:
        return std::make_unique<COptionTreeItemComboBox>();
    case RowKind::Color:
        return std::make_unique<COptionTreeItemColor>();
    case RowKind::Edit:
        return std::make_unique<COptionTreeItemEdit>();
    case RowKind::File:
        return std::make_unique<COptionTreeItemFile>();
    }
    return nullptr;
}

std::uint32_t toRgb(const QColor& color) {
    return static_cast<std::uint32_t>(color.rgb()) & 0x00FFFFFF;
}

bool isDeliveredCode(int code) {
    switch (code) {
    case OptionTreeNotify::kInsertItem:
    case OptionTreeNotify::kDeleteItem:
    case OptionTreeNotify::kItemChanged:
    case OptionTreeNotify::kSelectionChanged:
    case OptionTreeNotify::kItemExpanding:
    case OptionTreeNotify::kColumnClick:
    case OptionTreeNotify::kPropertyClick:
        return true;
    default:
        return false;
    }
}

int heightWithExpanded(const COptionTreeItem* item) {
    int height = item->height();
    if (item->isExpanded()) {
        for (const COptionTreeItem* child = item->firstChild(); child != nullptr;
             child = child->nextSibling()) {
            height += heightWithExpanded(child);
        }
    }
    return height;
}

// Calls f on the item and every row under it, parents first.
template <class F> void forSubtree(COptionTreeItem* item, F&& f) {
    f(item);
    for (COptionTreeItem* child = item->firstChild(); child != nullptr;) {
        COptionTreeItem* next = child->nextSibling();
        forSubtree(child, f);
        child = next;
    }
}

} // namespace

COptionTree::COptionTree(std::uint32_t options, QWidget* parent, int id)
    : QWidget(parent), options_(options), id_(id), root_(std::make_unique<COptionTreeItem>()) {
    root_->tree_ = this;
    root_->expanded_ = true;
    installOptionTreeAccessibility();
    updateFonts();
    info_ = new COptionTreeInfo(this);
    list_ = new COptionTreeList(*this);
    info_->setVisible((options_ & OptionTreeOption::kShowInfo) != 0);
    info_->setAccessibleName(QCoreApplication::translate("OptionTree", "Description"));
    layoutChildren();
}

COptionTree::~COptionTree() {
    // Rows destroy their editors, which are children of the list: do it while it lives.
    receiver_ = nullptr;
    deleteAllItems(false);
}

void COptionTree::setColumnPosition(int x) {
    // Before the tree is first shown its list has no real size yet: only the margin counts
    // then, and showing it applies the right-hand limit.
    const bool laidOut = list_ != nullptr && list_->isVisible();
    column_ = OptionTreeGeometry::clampColumn(x, laidOut ? list_->viewport()->width() : 0);
    redraw();
}

void COptionTree::setScrollOffset(int offset) {
    int clamped = OptionTreeGeometry::clampScroll(offset, contentHeight(), list_->pageHeight());
    if (clamped == scrollOffset_) {
        return;
    }
    scrollOffset_ = clamped;
    list_->applyScrollRange(contentHeight());
    moveEditors();
    redraw();
}

void COptionTree::setNotify(bool on, OptionTreeReceiver* receiver) {
    if (on) {
        options_ |= OptionTreeOption::kNotify;
    } else {
        options_ &= ~OptionTreeOption::kNotify;
    }
    receiver_ = receiver;
    layoutChildren();
}

long COptionTree::notify(int code, COptionTreeItem* item) {
    if (!isDeliveredCode(code) || (options_ & OptionTreeOption::kNotify) == 0 ||
        receiver_ == nullptr) {
        return 0;
    }
    return receiver_->treeNotify(*this, code, item);
}

void COptionTree::dropRow(COptionTreeItem* row, COptionTreeItem* before) {
    if ((options_ & OptionTreeOption::kNotify) != 0 && receiver_ != nullptr) {
        receiver_->rowDropped(*this, row, before);
    }
}

void COptionTree::requestRowMenu(COptionTreeItem* row, const QPoint& globalPosition) {
    if ((options_ & OptionTreeOption::kNotify) != 0 && receiver_ != nullptr && row != nullptr) {
        receiver_->rowMenuRequested(*this, row, globalPosition);
    }
}

COptionTreeItem* COptionTree::insertItem(std::unique_ptr<COptionTreeItem> owned,
                                         COptionTreeItem* parent) {
    if (owned == nullptr) {
        return nullptr;
    }
    if (parent == nullptr || parent->tree_ != this) {
        parent = root_.get();
    }
    COptionTreeItem* item = owned.release();
    item->parent_ = parent;
    item->tree_ = this;
    item->id_ = ++itemCounter_;
    item->nextSibling_ = nullptr;
    if (parent->firstChild_ == nullptr) {
        parent->firstChild_ = item;
    } else {
        COptionTreeItem* last = parent->firstChild_;
        while (last->nextSibling_ != nullptr) {
            last = last->nextSibling_;
        }
        last->nextSibling_ = item;
    }
    notify(OptionTreeNotify::kInsertItem, item);
    // Filling a tree inserts thousands of rows: the range is worked out once, when needed.
    scrollRangeDirty_ = true;
    redraw();
    return item;
}

void COptionTree::deleteItem(COptionTreeItem* item) {
    if (item == nullptr || item == root_.get()) {
        deleteAllItems();
        return;
    }
    if (!containsItem(item)) {
        return;
    }
    deleteSubtree(item);
    updateScrollRange();
    redraw();
}

void COptionTree::deleteAllItems(bool redrawNow) {
    while (root_->firstChild_ != nullptr) {
        deleteSubtree(root_->firstChild_);
    }
    focused_ = nullptr;
    if (list_ != nullptr) {
        updateScrollRange();
    }
    if (redrawNow) {
        redraw();
    }
}

void COptionTree::deleteSubtree(COptionTreeItem* item) {
    firstVisible_ = nullptr;
    lastVisible_ = nullptr;
    notify(OptionTreeNotify::kDeleteItem, item);
    while (item->firstChild_ != nullptr) {
        deleteSubtree(item->firstChild_);
    }
    unlink(item);
    if (focused_ == item) {
        focused_ = nullptr;
    }
    item->destroyEditor();
    delete item;
}

void COptionTree::unlink(COptionTreeItem* item) {
    COptionTreeItem* parent = item->parent_;
    if (parent == nullptr) {
        return;
    }
    if (parent->firstChild_ == item) {
        parent->firstChild_ = item->nextSibling_;
    } else {
        for (COptionTreeItem* sibling = parent->firstChild_; sibling != nullptr;
             sibling = sibling->nextSibling_) {
            if (sibling->nextSibling_ == item) {
                sibling->nextSibling_ = item->nextSibling_;
                break;
            }
        }
    }
    item->parent_ = nullptr;
    item->nextSibling_ = nullptr;
}

bool COptionTree::containsItem(const COptionTreeItem* item) const {
    if (item == nullptr) {
        return false;
    }
    bool found = false;
    forSubtree(root_.get(), [&](COptionTreeItem* row) { found = found || row == item; });
    return found;
}

void COptionTree::setFocusedItem(COptionTreeItem* item) {
    COptionTreeItem* before = focused_;
    focused_ = containsItem(item) ? item : nullptr;
    if (focused_ != nullptr) {
        ensureVisible(focused_);
    }
    if (focused_ != before) {
        announceFocus();
    }
    redraw();
}

void COptionTree::announceFocus() {
    if (focused_ == nullptr) {
        return;
    }
    if (list_->hasFocus()) {
        OptionTreeRowAccessible::sendEvent(focused_, QAccessible::Focus);
    }
    OptionTreeRowAccessible::sendEvent(focused_, QAccessible::Selection);
}

void COptionTree::ensureVisible(COptionTreeItem* item) {
    if (!containsItem(item) || item == root_.get()) {
        return;
    }
    layoutRows();
    bool shown = false;
    for (COptionTreeItem* row = firstVisible_; row != nullptr; row = row->nextVisible_) {
        shown = shown || row == item;
    }
    if (!shown) {
        for (COptionTreeItem* ancestor = item->parent_;
             ancestor != nullptr && ancestor != root_.get(); ancestor = ancestor->parent_) {
            if (!ancestor->isExpanded()) {
                ancestor->setExpanded(true);
            }
        }
        updateScrollRange();
        layoutRows();
    }
    const int top = item->location().y();
    const int bottom = top + item->height();
    const int viewHeight = list_->viewport()->height();
    if (top < 0) {
        setScrollOffset(scrollOffset_ + top);
    } else if (bottom > viewHeight) {
        setScrollOffset(scrollOffset_ + bottom - viewHeight);
    }
}

void COptionTree::selectItems(COptionTreeItem* item, bool marked) {
    if (item == nullptr) {
        item = root_.get();
    }
    forSubtree(item, [marked, this](COptionTreeItem* row) {
        if (row != root_.get()) {
            row->setMarked(marked);
        }
    });
    redraw();
}

void COptionTree::refreshItems(COptionTreeItem* item) {
    if (item == nullptr) {
        item = root_.get();
    }
    layoutRows();
    forSubtree(item, [](COptionTreeItem* row) { row->placeEditor(); });
    updateScrollRange();
    redraw();
}

void COptionTree::moveEditors() {
    layoutRows();
    forSubtree(root_.get(), [](COptionTreeItem* row) { row->repositionEditor(); });
}

void COptionTree::focusItem(COptionTreeItem* item) {
    if (item == nullptr) {
        return;
    }
    selectItems(nullptr, false);
    item->setMarked(true);
    const bool changed = item != focused_;
    focused_ = item;
    ensureVisible(item);
    if (changed) {
        announceFocus();
        notify(OptionTreeNotify::kSelectionChanged, item);
    }
    redraw();
}

void COptionTree::focusFirst() {
    layoutRows();
    focusItem(firstVisible_);
}

void COptionTree::focusLast() {
    layoutRows();
    focusItem(lastVisible_);
}

void COptionTree::focusNext() {
    layoutRows();
    if (focused_ == nullptr) {
        focusItem(firstVisible_);
        return;
    }
    focusItem(focused_->nextVisible_);
}

void COptionTree::focusPrevious() {
    layoutRows();
    if (focused_ == nullptr) {
        focusItem(lastVisible_);
        return;
    }
    COptionTreeItem* previous = nullptr;
    for (COptionTreeItem* row = firstVisible_; row != nullptr && row != focused_;
         row = row->nextVisible_) {
        previous = row;
    }
    focusItem(previous);
}

COptionTreeItem* COptionTree::itemAt(const QPoint& point) const {
    for (COptionTreeItem* row = firstVisible_; row != nullptr; row = row->nextVisible_) {
        const int top = row->location().y();
        if (point.y() >= top && point.y() < top + row->height()) {
            return row;
        }
    }
    return nullptr;
}

int COptionTree::hitTest(const QPoint& point) const {
    const COptionTreeItem* row = itemAt(point);
    if (row == nullptr) {
        return OptionTreeHit::kClient;
    }
    if (row->plusMinusRect().contains(point)) {
        return OptionTreeHit::kExpand;
    }
    if (!row->isRootLevel() && std::abs(point.x() - column_) <= OptionTreeGeometry::kDividerReach) {
        return OptionTreeHit::kColumn;
    }
    if (point.x() > column_ + OptionTreeGeometry::kDividerReach) {
        return OptionTreeHit::kAttribute;
    }
    return OptionTreeHit::kLabel;
}

int COptionTree::widestLabelRight() const {
    int widest = 0;
    for (COptionTreeItem* row = firstVisible_; row != nullptr; row = row->nextVisible_) {
        if (!row->labelTextRect().isNull()) {
            widest = std::max(widest, row->labelTextRect().right() + 1);
        }
    }
    return widest;
}

int COptionTree::contentHeight() const {
    int height = 0;
    for (const COptionTreeItem* row = root_->firstChild_; row != nullptr; row = row->nextSibling_) {
        height += heightWithExpanded(row);
    }
    return height;
}

void COptionTree::updateScrollRangeIfDirty() {
    if (scrollRangeDirty_) {
        updateScrollRange();
    }
}

void COptionTree::updateScrollRange() {
    scrollRangeDirty_ = false;
    const int content = contentHeight();
    scrollOffset_ = OptionTreeGeometry::clampScroll(scrollOffset_, content, list_->pageHeight());
    list_->applyScrollRange(content);
    setColumnPosition(column_);
}

void COptionTree::layoutRows() {
    updateScrollRangeIfDirty();
    beginVisibleChain();
    int y = -scrollOffset_;
    for (COptionTreeItem* row = root_->firstChild_; row != nullptr; row = row->nextSibling_) {
        y += row->drawItem(nullptr, 0, y);
    }
}

void COptionTree::beginVisibleChain() {
    firstVisible_ = nullptr;
    lastVisible_ = nullptr;
}

void COptionTree::appendVisible(COptionTreeItem* item) {
    item->nextVisible_ = nullptr;
    if (lastVisible_ == nullptr) {
        firstVisible_ = item;
    } else {
        lastVisible_->nextVisible_ = item;
    }
    lastVisible_ = item;
}

void COptionTree::dropHiddenFocus() {
    if (focused_ == nullptr) {
        return;
    }
    layoutRows();
    for (COptionTreeItem* row = firstVisible_; row != nullptr; row = row->nextVisible_) {
        if (row == focused_) {
            return;
        }
    }
    focused_->setMarked(false);
    focused_ = nullptr;
    notify(OptionTreeNotify::kSelectionChanged, nullptr);
    redraw();
}

void COptionTree::updateInfo() {
    if (info_ == nullptr || (options_ & OptionTreeOption::kShowInfo) == 0) {
        return;
    }
    if (focused_ != nullptr) {
        info_->showDescription(focused_->labelText(), focused_->description());
    } else if ((options_ & OptionTreeOption::kDefaultInfoText) != 0) {
        info_->showDescription(
            QCoreApplication::translate("OptionTree", "No Item Selected"),
            QCoreApplication::translate("OptionTree", "Select an item to see its description."));
    } else {
        info_->showDescription(QString(), QString());
    }
}

void COptionTree::redraw() {
    if (list_ != nullptr) {
        list_->viewport()->update();
    }
    updateInfo();
}

OptionRow* COptionTree::insertRow(RowKind kind, OptionRow* parent) {
    auto* parentItem = dynamic_cast<COptionTreeItem*>(parent);
    if (parent != nullptr && (parentItem == nullptr || parentItem->tree_ != this)) {
        return nullptr;
    }
    return insertItem(createRow(kind), parentItem);
}

// Rows take these colours when they are made, which is before the tree is first shown: the
// style (a style sheet's colours, for one) must have given the tree its palette by then.
std::uint32_t COptionTree::faceColor() const {
    ensurePolished();
    return toRgb(palette().color(QPalette::Button));
}

std::uint32_t COptionTree::windowColor() const {
    ensurePolished();
    return toRgb(palette().color(QPalette::Base));
}

void COptionTree::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void COptionTree::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::StyleChange:
        updateFonts();
        redraw();
        break;
    case QEvent::EnabledChange:
        redraw();
        break;
    default:
        break;
    }
}

void COptionTree::layoutChildren() {
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0 || list_ == nullptr) {
        return;
    }
    if ((options_ & OptionTreeOption::kShowInfo) != 0) {
        // A short tree, as on a small screen, shares its height: the rows keep most of it,
        // and the description scrolls.
        const int info = std::min(kInfoHeight, h * 2 / 5);
        info_->setGeometry(0, h - info, w, info);
        list_->setGeometry(0, 0, w, h - info);
    } else {
        list_->setGeometry(0, 0, w, h);
    }
    updateScrollRange();
    moveEditors();
    redraw();
}

void COptionTree::updateFonts() {
    // The rows take the menu font's size, weight and style; the face is Tahoma where the
    // desktop has it and the menu font's own sans serif otherwise.
    QFont menu = QApplication::font("QMenu");
    QFont normal = menu;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        normal.setFamily(QStringLiteral("Tahoma"));
    }
    normalFont_ = normal;
    boldFont_ = normal;
    boldFont_.setWeight(QFont::Bold);
}
