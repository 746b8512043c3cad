// OptionTreeRowAccessible: names, values, states and actions of an option tree row.
#include "optiontree/option_tree_row_accessible.h"

#include "optiontree/option_tree.h"
#include "optiontree/option_tree_info.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_list.h"
#include "optiontree/rtf_reader.h"

#include <QTextDocument>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

QString plainDescription(const QString& text) {
    if (!RtfReader::looksLikeRtf(text)) {
        return text;
    }
    QTextDocument document;
    RtfReader::read(text, document);
    return document.toPlainText();
}

} // namespace

OptionTreeRowAccessible::OptionTreeRowAccessible(COptionTreeItem& row) : row_(row) {}

QAccessibleInterface* OptionTreeRowAccessible::of(COptionTreeItem* row) {
    if (row == nullptr || row->tree() == nullptr || row == row->tree()->rootItem()) {
        return nullptr;
    }
    if (row->accessibleId() != 0) {
        return QAccessible::accessibleInterface(row->accessibleId());
    }
    auto* made = new OptionTreeRowAccessible(*row);
    row->setAccessibleId(QAccessible::registerAccessibleInterface(made));
    return made;
}

void OptionTreeRowAccessible::sendEvent(COptionTreeItem* row, QAccessible::Event type) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (QAccessibleInterface* iface = of(row); iface != nullptr) {
        QAccessibleEvent event(iface, type);
        QAccessible::updateAccessibility(&event);
    }
}

void OptionTreeRowAccessible::sendStateChange(COptionTreeItem* row, QAccessible::State changed) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (QAccessibleInterface* iface = of(row); iface != nullptr) {
        QAccessibleStateChangeEvent event(iface, changed);
        QAccessible::updateAccessibility(&event);
    }
}

QAccessibleInterface* OptionTreeRowAccessible::nth(COptionTreeItem* first, int index) {
    COptionTreeItem* row = index < 0 ? nullptr : first;
    for (int i = 0; row != nullptr && i < index; ++i) {
        row = row->nextSibling();
    }
    return of(row);
}

int OptionTreeRowAccessible::indexAmong(COptionTreeItem* first,
                                        const QAccessibleInterface* wanted) {
    int index = 0;
    for (COptionTreeItem* row = first; row != nullptr; row = row->nextSibling(), ++index) {
        if (row->accessibleId() != 0 &&
            QAccessible::accessibleInterface(row->accessibleId()) == wanted) {
            return index;
        }
    }
    return -1;
}

QWindow* OptionTreeRowAccessible::window() const {
    QWidget* top = row_.tree() != nullptr ? row_.tree()->window() : nullptr;
    return top != nullptr ? top->windowHandle() : nullptr;
}

QAccessibleInterface* OptionTreeRowAccessible::parent() const {
    COptionTreeItem* above = row_.parentItem();
    if (above == nullptr || row_.tree() == nullptr) {
        return nullptr;
    }
    if (above == row_.tree()->rootItem()) {
        return QAccessible::queryAccessibleInterface(row_.tree()->list());
    }
    return of(above);
}

// A collapsed row shows no children, so it has none for a screen reader either.
QAccessibleInterface* OptionTreeRowAccessible::child(int index) const {
    return row_.isExpanded() ? nth(row_.firstChild(), index) : nullptr;
}

int OptionTreeRowAccessible::childCount() const {
    if (!row_.isExpanded()) {
        return 0;
    }
    int count = 0;
    for (COptionTreeItem* item = row_.firstChild(); item != nullptr; item = item->nextSibling()) {
        ++count;
    }
    return count;
}

int OptionTreeRowAccessible::indexOfChild(const QAccessibleInterface* wanted) const {
    return row_.isExpanded() ? indexAmong(row_.firstChild(), wanted) : -1;
}

QAccessibleInterface* OptionTreeRowAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* candidate = child(i);
        if (candidate != nullptr && candidate->rect().contains(x, y)) {
            return candidate;
        }
    }
    return nullptr;
}

QString OptionTreeRowAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return row_.labelText().trimmed();
    case QAccessible::Value:
        return row_.valueText();
    case QAccessible::Description:
        return plainDescription(row_.description());
    default:
        return {};
    }
}

QRect OptionTreeRowAccessible::rect() const {
    if (row_.tree() == nullptr) {
        return {};
    }
    QWidget* viewport = row_.tree()->list()->viewport();
    const QRect local = row_.rowRect();
    return QRect(viewport->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role OptionTreeRowAccessible::role() const {
    return QAccessible::TreeItem;
}

QAccessible::State OptionTreeRowAccessible::state() const {
    QAccessible::State state;
    COptionTree* tree = row_.tree();
    if (tree == nullptr) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = row_.isMarked();
    state.focused = tree->focusedItem() == &row_ && tree->list()->hasFocus();
    state.active = state.focused;
    state.disabled = !tree->isEnabled();
    state.readOnly = row_.isReadOnly();
    state.editable = isEditable();
    if (row_.hasChildren()) {
        state.expandable = true;
        state.expanded = row_.isExpanded();
        state.collapsed = !row_.isExpanded();
    }
    if (isCheckBox()) {
        state.checkable = true;
        state.checked = row_.isChecked();
    }
    const QRect shown = row_.rowRect();
    const int viewHeight = tree->list()->viewport()->height();
    state.offscreen = shown.bottom() < 0 || shown.top() >= viewHeight;
    return state;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
OptionTreeRowAccessible::relations(QAccessible::Relation match) const {
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> found;
    COptionTree* tree = row_.tree();
    // The description pane shows the focused row's help: it is that row's to control.
    if (tree != nullptr && tree->focusedItem() == &row_ && (match & QAccessible::Controlled) &&
        tree->info()->isVisible()) {
        if (QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(tree->info())) {
            found.append({pane, QAccessible::Controlled});
        }
    }
    return found;
}

void* OptionTreeRowAccessible::interface_cast(QAccessible::InterfaceType type) {
    switch (type) {
    case QAccessible::ActionInterface:
        return static_cast<QAccessibleActionInterface*>(this);
    case QAccessible::ValueInterface:
        return isSpinner() ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    case QAccessible::TextInterface:
        return static_cast<QAccessibleTextInterface*>(this);
    default:
        return nullptr;
    }
}

bool OptionTreeRowAccessible::isSpinner() const {
    return row_.kindCode() == COptionTreeItem::SpinnerCode;
}

bool OptionTreeRowAccessible::isCheckBox() const {
    return row_.kindCode() == COptionTreeItem::CheckBoxCode;
}

bool OptionTreeRowAccessible::isEditable() const {
    return row_.kindCode() != COptionTreeItem::PlainCode && !row_.isRootLevel() &&
           !row_.isReadOnly();
}

QStringList OptionTreeRowAccessible::actionNames() const {
    QStringList names{setFocusAction()};
    if (isEditable()) {
        names.append(pressAction());
    }
    if (isCheckBox() && isEditable()) {
        names.append(toggleAction());
    } else if (row_.hasChildren()) {
        names.append(toggleAction());
    }
    if (isSpinner() && isEditable()) {
        names.append({increaseAction(), decreaseAction()});
    }
    return names;
}

void OptionTreeRowAccessible::doAction(const QString& name) {
    COptionTree* tree = row_.tree();
    if (tree == nullptr || !tree->isEnabled() || tree->isInputDisabled() ||
        !actionNames().contains(name)) {
        return;
    }
    if (name == setFocusAction()) {
        tree->list()->setFocus(Qt::OtherFocusReason);
        tree->focusItem(&row_);
    } else if (name == pressAction()) {
        tree->list()->setFocus(Qt::OtherFocusReason);
        tree->focusItem(&row_);
        tree->layoutRows();
        row_.activate();
    } else if (name == toggleAction() && isCheckBox()) {
        row_.setChecked(!row_.isChecked());
        row_.commitValue();
    } else if (name == toggleAction()) {
        tree->list()->toggleExpanded(&row_);
    } else if (name == increaseAction() || name == decreaseAction()) {
        setCurrentValue(row_.number() + (name == increaseAction() ? 1 : -1));
    }
}

QVariant OptionTreeRowAccessible::currentValue() const {
    return row_.number();
}

void OptionTreeRowAccessible::setCurrentValue(const QVariant& value) {
    if (!isSpinner() || !isEditable()) {
        return;
    }
    const double wanted =
        std::clamp(value.toDouble(), minimumValue().toDouble(), maximumValue().toDouble());
    if (static_cast<std::int32_t>(wanted) == row_.number()) {
        return;
    }
    row_.setNumber(wanted);
    row_.commitValue();
}

QVariant OptionTreeRowAccessible::maximumValue() const {
    return isSpinner() ? static_cast<COptionTreeItemSpinner&>(row_).upperLimit() : 0;
}

QVariant OptionTreeRowAccessible::minimumValue() const {
    return isSpinner() ? static_cast<COptionTreeItemSpinner&>(row_).lowerLimit() : 0;
}

void OptionTreeRowAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString OptionTreeRowAccessible::text(int startOffset, int endOffset) const {
    const QString value = row_.valueText();
    if (endOffset < 0 || endOffset > value.size()) {
        endOffset = static_cast<int>(value.size());
    }
    startOffset = std::clamp(startOffset, 0, endOffset);
    return value.mid(startOffset, endOffset - startOffset);
}

int OptionTreeRowAccessible::characterCount() const {
    return static_cast<int>(row_.valueText().size());
}

QString OptionTreeRowAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
