// OptionTreeRowAccessible: a row of the option tree as a screen reader sees and changes it.
#pragma once

#include <QAccessible>
#include <QAccessibleInterface>

class COptionTreeItem;

// A tree item named by the row's label, with its shown value as text, the description pane's
// text as description, its marks and expansion as states, and actions to edit, toggle and
// expand it. Spinner rows also carry their number as a value a screen reader can set. The
// interface lives as long as its row: the row deletes it.
class OptionTreeRowAccessible : public QAccessibleInterface,
                                public QAccessibleActionInterface,
                                public QAccessibleValueInterface,
                                public QAccessibleTextInterface {
public:
    explicit OptionTreeRowAccessible(COptionTreeItem& row);

    // The row's interface, made on first use and registered with Qt's accessibility cache.
    static QAccessibleInterface* of(COptionTreeItem* row);
    // Tells the screen reader what changed about the row; nothing when no one listens.
    static void sendEvent(COptionTreeItem* row, QAccessible::Event type);
    static void sendStateChange(COptionTreeItem* row, QAccessible::State changed);
    // Among the rows from first on (siblings): the interface of the index-th, and the index of
    // a row's interface (-1 when none of them has it).
    static QAccessibleInterface* nth(COptionTreeItem* first, int index);
    static int indexAmong(COptionTreeItem* first, const QAccessibleInterface* wanted);

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

    // The value as text, read only.
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override;

private:
    bool isSpinner() const;
    bool isCheckBox() const;
    bool isEditable() const;

    COptionTreeItem& row_;
};
