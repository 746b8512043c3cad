// OptionTreeAccessible: the option tree's list for screen readers, and the factory of the
// option tree's accessible interfaces.
#include "optiontree/option_tree_accessible.h"

#include "optiontree/option_tree.h"
#include "optiontree/option_tree_check_button.h"
#include "optiontree/option_tree_color_pop_up.h"
#include "optiontree/option_tree_controls_accessible.h"
#include "optiontree/option_tree_list.h"
#include "optiontree/option_tree_row_accessible.h"
#include "optiontree/option_tree_spinner_button.h"

#include <QCoreApplication>

namespace {

QAccessibleInterface* optionTreeInterface(const QString& key, QObject* object) {
    if (key == QLatin1String("COptionTreeList")) {
        return new OptionTreeAccessible(static_cast<COptionTreeList*>(object));
    }
    if (key == QLatin1String("COptionTreeCheckButton")) {
        return new CheckButtonAccessible(static_cast<COptionTreeCheckButton*>(object));
    }
    if (key == QLatin1String("COptionTreeSpinnerButton")) {
        return new SpinnerAccessible(static_cast<COptionTreeSpinnerButton*>(object));
    }
    if (key == QLatin1String("COptionTreeColorPopUp")) {
        return new ColorPopUpAccessible(static_cast<COptionTreeColorPopUp*>(object));
    }
    return nullptr;
}

} // namespace

void installOptionTreeAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(optionTreeInterface);
        return true;
    }();
    (void)installed;
}

OptionTreeAccessible::OptionTreeAccessible(COptionTreeList* list)
    : QAccessibleWidget(list, QAccessible::Tree) {}

COptionTreeList* OptionTreeAccessible::list() const {
    return static_cast<COptionTreeList*>(widget());
}

int OptionTreeAccessible::childCount() const {
    int count = 0;
    for (COptionTreeItem* row = list()->tree().rootItem()->firstChild(); row != nullptr;
         row = row->nextSibling()) {
        ++count;
    }
    return count;
}

QAccessibleInterface* OptionTreeAccessible::child(int index) const {
    return OptionTreeRowAccessible::nth(list()->tree().rootItem()->firstChild(), index);
}

int OptionTreeAccessible::indexOfChild(const QAccessibleInterface* wanted) const {
    return OptionTreeRowAccessible::indexAmong(list()->tree().rootItem()->firstChild(), wanted);
}

QAccessibleInterface* OptionTreeAccessible::childAt(int x, int y) const {
    COptionTree& tree = list()->tree();
    tree.layoutRows();
    const QPoint local = list()->viewport()->mapFromGlobal(QPoint(x, y));
    return OptionTreeRowAccessible::of(tree.itemAt(local));
}

QAccessibleInterface* OptionTreeAccessible::focusChild() const {
    return OptionTreeRowAccessible::of(list()->tree().focusedItem());
}

QString OptionTreeAccessible::text(QAccessible::Text t) const {
    QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) {
        return QCoreApplication::translate("OptionTree", "Properties");
    }
    return own;
}
