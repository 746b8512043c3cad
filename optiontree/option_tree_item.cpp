// COptionTreeItem: the row base, its state, its commit and its drawing.
#include "optiontree/option_tree_item.h"

#include "optiontree/option_tree.h"
#include "optiontree/option_tree_geometry.h"
#include "optiontree/option_tree_list.h"
#include "optiontree/option_tree_row_accessible.h"
#include "optiontree/string_table_translation.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>

namespace {

QColor fromRgb(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool isBlank(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

} // namespace

// The keys of an open editor, seen before the editor itself: Esc must not travel on to the
// dialog, whose own Esc throws away every edit, and Tab must stay among the rows.
class COptionTreeItem::EditorKeys : public QObject {
public:
    EditorKeys(COptionTreeItem& item, QObject* parent) : QObject(parent), item_(item) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !item_.isActivated()) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape:
            item_.cancelEdit();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (keepsReturn(watched)) {
                return false;
            }
            finish(0);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            finish(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) ? -1
                                                                                           : 1);
            return true;
        default:
            return false;
        }
    }

private:
    // A multi-line edit takes Return for new lines, and the colour row's Enter opens its
    // pop-up, whose choice commits.
    bool keepsReturn(QObject* watched) const {
        return qobject_cast<QPlainTextEdit*>(watched) != nullptr ||
               item_.kindCode() == COptionTreeItem::ColorCode;
    }

    // Commits, then moves by step rows (0 stays). The commit may delete the row and this
    // filter with it, so only the tree is used afterwards.
    void finish(int step) {
        QPointer<COptionTree> tree = item_.tree();
        item_.commit();
        if (tree == nullptr) {
            return;
        }
        tree->list()->setFocus(Qt::TabFocusReason);
        if (step != 0) {
            tree->list()->editAdjacent(step < 0);
        }
        tree->redraw();
    }

    COptionTreeItem& item_;
};

COptionTreeItem::~COptionTreeItem() {
    if (accessibleId_ != 0) {
        QAccessible::deleteAccessibleInterface(accessibleId_);
    }
}

bool COptionTreeItem::createEditor(std::uint32_t) {
    return tree_ != nullptr;
}

void COptionTreeItem::setLabel(const std::u16string& text) {
    label_ = translatedRowLabel(text);
}

void COptionTreeItem::setInfo(const std::u16string& text) {
    description_ = translatedTableText(text);
}

void COptionTreeItem::setBackgroundColors(std::uint32_t value, std::uint32_t label) {
    valueBackground_ = fromRgb(value);
    labelBackground_ = fromRgb(label);
}

void COptionTreeItem::setMarked(bool marked) {
    marked_ = marked;
    if (marked) {
        selected();
    } else {
        deselected();
    }
}

void COptionTreeItem::setExpanded(bool expanded) {
    const bool changed = expanded_ != expanded;
    expanded_ = expanded;
    expandChanged(expanded);
    if (changed && tree_ != nullptr) {
        QAccessible::State state;
        state.expanded = true;
        state.collapsed = true;
        OptionTreeRowAccessible::sendStateChange(this, state);
    }
    for (COptionTreeItem* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        child->setExpandedFromAncestor(expanded);
    }
}

void COptionTreeItem::setExpandedFromAncestor(bool expanded) {
    expandChanged(expanded);
    for (COptionTreeItem* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        child->setExpandedFromAncestor(expanded);
    }
}

bool COptionTreeItem::isRootLevel() const {
    return tree_ != nullptr && parent_ != nullptr && parent_ == tree_->rootItem();
}

bool COptionTreeItem::isDescendantOf(const COptionTreeItem* ancestor) const {
    for (const COptionTreeItem* item = this; item != nullptr; item = item->parent_) {
        if (item == ancestor) {
            return true;
        }
    }
    return false;
}

QRect COptionTreeItem::rowRect() const {
    int width = tree_ != nullptr ? tree_->list()->viewport()->width() : 0;
    return QRect(0, location_.y(), width, height_);
}

QColor COptionTreeItem::valueBackground(const QPalette& palette) const {
    return valueBackground_.value_or(palette.color(QPalette::Base));
}

QColor COptionTreeItem::valueTextColor(const QPalette& palette) const {
    return valueTextColor_.value_or(palette.color(QPalette::Text));
}

QColor COptionTreeItem::rootBackground(const QPalette& palette) const {
    return rootBackground_.value_or(palette.color(QPalette::Button));
}

QColor COptionTreeItem::labelTextColor(const QPalette& palette) const {
    return labelTextColor_.value_or(palette.color(QPalette::Text));
}

QColor COptionTreeItem::labelBackground(const QPalette& palette) const {
    return labelBackground_.value_or(palette.color(QPalette::Base));
}

void COptionTreeItem::activate() {
    activated_ = true;
    committed_ = false;
    rememberEditorValue();
    showEditor();
}

void COptionTreeItem::commit() {
    activated_ = false;
    if (committed_) {
        return;
    }
    committed_ = true;
    // An editor that goes away with the focus would hand it to the next widget of the
    // dialog, such as its OK button, where the next Enter or Esc would end the dialog.
    const bool focusInEditor = editorHasFocus();
    commitEditor();
    if (tree_ == nullptr) {
        return;
    }
    if (focusInEditor) {
        tree_->list()->setFocus(Qt::OtherFocusReason);
    }
    // The receiver may rebuild the tree and delete this row while it is told.
    QPointer<COptionTree> tree = tree_;
    OptionTreeRowAccessible::sendEvent(this, QAccessible::ValueChanged);
    tree->notify(OptionTreeNotify::kItemChanged, this);
    if (tree != nullptr && tree->containsItem(this)) {
        tree->refreshItems(this);
    }
}

void COptionTreeItem::commitValue() {
    committed_ = false;
    commit();
}

int COptionTreeItem::drawItem(QPainter* painter, int x, int y) {
    if (tree_ == nullptr) {
        return 0;
    }
    tree_->appendVisible(this);
    location_ = QPoint(x, y);
    const int listWidth = tree_->list()->viewport()->width();
    const int column = tree_->columnPosition();
    const bool rootLevel = isRootLevel();
    valueRect_ = OptionTreeGeometry::valueRect(column, y, listWidth, height_);
    plusMinusRect_ = hasChildren() ? OptionTreeGeometry::plusMinusBox(y) : QRect();
    QRect labelArea =
        OptionTreeGeometry::labelArea(x, y, column, listWidth, height_, hasChildren());
    // Measuring labels is the costly part of a layout: rows out of view are only placed.
    const bool inView = y + height_ > 0 && y < tree_->list()->viewport()->height();
    if (inView) {
        layoutLabel(labelArea, rootLevel);
    } else {
        labelTextRect_ = QRect();
    }
    if (painter != nullptr && inView) {
        paintRow(*painter, labelArea, rootLevel);
    }

    int drawn = height_;
    if (!expanded_) {
        return drawn;
    }
    const int childIndent = rootLevel ? x : x + OptionTreeGeometry::kMargin;
    for (COptionTreeItem* child = firstChild_; child != nullptr; child = child->nextSibling_) {
        drawn += child->drawItem(painter, childIndent, y + drawn);
    }
    return drawn;
}

QString COptionTreeItem::fittedLabel(const QFont& font, int width) const {
    QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(label_) <= width) {
        return label_;
    }
    // Drop characters from the end until the rest and the dots fit.
    const QString dots = QStringLiteral("...");
    QString text = label_;
    while (!text.isEmpty() && metrics.horizontalAdvance(text + dots) > width) {
        text.chop(1);
    }
    return text + dots;
}

void COptionTreeItem::layoutLabel(const QRect& labelArea, bool rootLevel) {
    labelTextRect_ = QRect();
    if (isBlank(label_)) {
        return;
    }
    const QFont& font = rootLevel ? tree_->boldFont() : tree_->normalFont();
    QFontMetrics metrics(font);
    const int swatchRoom = swatch_ ? swatchSize(metrics) + OptionTreeGeometry::kLabelPadding : 0;
    const int left = labelArea.left() + OptionTreeGeometry::kLabelPadding + swatchRoom;
    const int width = std::max(0, labelArea.right() + 1 - left);
    QString text = fittedLabel(font, width);
    const int textHeight = metrics.height();
    const int top = labelAtTop_ ? labelArea.top() + OptionTreeGeometry::kLabelPadding
                                : labelArea.top() + (labelArea.height() - textHeight) / 2;
    labelTextRect_ = QRect(left, top, metrics.horizontalAdvance(text), textHeight);
}

void COptionTreeItem::paintRow(QPainter& painter, const QRect& labelArea, bool rootLevel) {
    const QPalette pal = tree_->palette();
    const bool enabled = tree_->isEnabled();
    const int listWidth = tree_->list()->viewport()->width();
    const int y = location_.y();
    const int column = tree_->columnPosition();

    if (rootLevel) {
        bool shade = (tree_->options() & OptionTreeOption::kShadeRootItems) != 0 || !enabled;
        QRect band(labelArea.left(), y, std::max(0, listWidth - labelArea.left()), height_);
        painter.fillRect(band, shade ? rootBackground(pal) : pal.color(QPalette::Base));
    } else {
        painter.fillRect(QRect(column, y, std::max(0, listWidth - column), height_),
                         valueBackground(pal));
        painter.fillRect(labelArea, labelBackground(pal));
    }

    if (hasChildren()) {
        paintPlusMinus(painter, rootLevel);
    }

    if (!labelTextRect_.isNull()) {
        const QFont& font = rootLevel ? tree_->boldFont() : tree_->normalFont();
        QColor textColor =
            enabled ? labelTextColor(pal) : pal.color(QPalette::Disabled, QPalette::Text);
        if (marked_) {
            int right = labelArea.right() + 1 + OptionTreeGeometry::kLabelPadding;
            painter.fillRect(QRect(OptionTreeGeometry::kMargin, y,
                                   std::max(0, right - OptionTreeGeometry::kMargin), height_),
                             pal.color(QPalette::Highlight));
            textColor = pal.color(QPalette::HighlightedText);
        }
        if (swatch_) {
            paintSwatch(painter, QFontMetrics(font));
        }
        painter.setFont(font);
        painter.setPen(textColor);
        const int width = std::max(0, labelArea.right() + 1 - labelTextRect_.left());
        painter.drawText(labelTextRect_.adjusted(0, 0, 1, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         fittedLabel(font, width));
    }

    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(0, y + height_ - 1, listWidth, y + height_ - 1);
    if (rootLevel) {
        painter.drawLine(0, y, listWidth, y);
    }
    painter.drawLine(OptionTreeGeometry::kMargin, y, OptionTreeGeometry::kMargin, y + height_ - 1);
    if (!hasChildren()) {
        painter.drawLine(column, y, column, y + height_ - 1);
    }

    if (!rootLevel && !valueRect_.isEmpty()) {
        painter.save();
        painter.setClipRect(valueRect_, Qt::IntersectClip);
        drawValue(painter, valueRect_);
        painter.restore();
    }
}

int COptionTreeItem::swatchSize(const QFontMetrics& metrics) {
    return std::max(6, metrics.ascent() * 3 / 4);
}

void COptionTreeItem::paintSwatch(QPainter& painter, const QFontMetrics& metrics) const {
    const int size = swatchSize(metrics);
    const QRect box(labelTextRect_.left() - OptionTreeGeometry::kLabelPadding - size,
                    labelTextRect_.center().y() - size / 2 + 1, size, size);
    QColor opaque = *swatch_;
    opaque.setAlpha(255);
    painter.fillRect(box, opaque);
    painter.setPen(tree_->palette().color(QPalette::Dark));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void COptionTreeItem::paintPlusMinus(QPainter& painter, bool rootLevel) const {
    const QPalette pal = tree_->palette();
    const QRect box = plusMinusRect_;
    if (!rootLevel) {
        painter.fillRect(box, pal.color(QPalette::Base));
    }
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(pal.color(QPalette::Text));
    const int middleY = box.top() + box.height() / 2;
    const int middleX = box.left() + box.width() / 2;
    painter.drawLine(box.left() + 2, middleY, box.right() - 2, middleY);
    if (!expanded_) {
        painter.drawLine(middleX, box.top() + 2, middleX, box.bottom() - 2);
    }
}

void COptionTreeItem::drawValue(QPainter&, const QRect&) {}
void COptionTreeItem::showEditor() {}

void COptionTreeItem::repositionEditor() {
    QWidget* editor = existingEditor();
    if (editor == nullptr) {
        return;
    }
    editor->setGeometry(valueRect_);
    if (!editorHasFocus()) {
        editor->hide();
    }
}

void COptionTreeItem::placeEditor() {
    if (QWidget* editor = existingEditor(); editor != nullptr) {
        editor->setGeometry(valueRect_);
    }
}

void COptionTreeItem::commitEditor() {
    if (QWidget* editor = existingEditor(); editor != nullptr) {
        editor->hide();
    }
}

bool COptionTreeItem::editorHasFocus() const {
    const QWidget* editor = existingEditor();
    const QWidget* focus = QApplication::focusWidget();
    return editor != nullptr && editor->isVisible() && focus != nullptr &&
           (focus == editor || editor->isAncestorOf(focus));
}

void COptionTreeItem::destroyEditor() {}
void COptionTreeItem::deselected() {}
void COptionTreeItem::selected() {}
void COptionTreeItem::expandChanged(bool) {}

QWidget* COptionTreeItem::editorParent() const {
    return tree_ != nullptr ? tree_->list()->viewport() : nullptr;
}

QFont COptionTreeItem::normalFont() const {
    return tree_ != nullptr ? tree_->normalFont() : QApplication::font();
}

QPalette COptionTreeItem::palette() const {
    return tree_ != nullptr ? tree_->palette() : QApplication::palette();
}

bool COptionTreeItem::treeEnabled() const {
    return tree_ != nullptr && tree_->isEnabled();
}

void COptionTreeItem::watchEditor(QWidget* editor) {
    // The editor stands in for the row: a screen reader names it by the row's label.
    editor->setAccessibleName(label_.trimmed());
    editor->setAccessibleDescription(tree_ != nullptr ? description_ : QString());
    QPointer<QWidget> watched = editor;
    QPointer<COptionTree> tree = tree_;
    QObject::connect(qApp, &QApplication::focusChanged, editor,
                     [this, watched, tree](QWidget* old, QWidget* now) {
                         if (watched == nullptr || tree == nullptr || old == nullptr ||
                             now == nullptr || !activated_) {
                             return;
                         }
                         bool leftEditor = watched->isAncestorOf(old) || old == watched;
                         bool stillInside = watched->isAncestorOf(now) || now == watched;
                         if (leftEditor && !stillInside && tree->isAncestorOf(now)) {
                             commit();
                         }
                     });
    auto* keys = new EditorKeys(*this, editor);
    editor->installEventFilter(keys);
    for (QWidget* part : editor->findChildren<QWidget*>()) {
        part->installEventFilter(keys);
        part->setAccessibleName(label_.trimmed());
    }
}

void COptionTreeItem::cancelEdit() {
    if (!activated_) {
        return;
    }
    activated_ = false;
    // Nothing to take: a later commit without a new activation must not tell the tree.
    committed_ = true;
    restoreEditorValue();
    if (QWidget* editor = existingEditor(); editor != nullptr) {
        editor->hide();
    }
    if (tree_ != nullptr) {
        tree_->list()->setFocus(Qt::OtherFocusReason);
        tree_->redraw();
    }
}

void COptionTreeItem::drawValueText(QPainter& painter, const QRect& rect,
                                    const QString& text) const {
    const QPalette pal = palette();
    bool grey = readOnly_ || !treeEnabled();
    painter.setFont(normalFont());
    painter.setPen(grey ? pal.color(QPalette::Disabled, QPalette::Text) : valueTextColor(pal));
    QFontMetrics metrics(normalFont());
    QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}
