// OptionTreeAccessible: the option tree's list as a tree of rows for screen readers.
#pragma once

#include <QAccessibleWidget>

class COptionTreeList;

// Registers the accessible interfaces of the option tree and its controls with Qt, once.
void installOptionTreeAccessibility();

// The list a screen reader sees: a tree whose children are the top-level rows, each with its
// rows below it. The focused row is its focus child.
class OptionTreeAccessible : public QAccessibleWidget {
public:
    explicit OptionTreeAccessible(COptionTreeList* list);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

private:
    COptionTreeList* list() const;
};
