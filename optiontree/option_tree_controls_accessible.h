// The accessible interfaces of the option tree's painted controls: the check button, the
// spinner and the colour pop-up with its entries.
#pragma once

#include <QAccessibleWidget>
#include <vector>

class COptionTreeCheckButton;
class COptionTreeColorPopUp;
class COptionTreeSpinnerButton;

// A check box that a screen reader can read and toggle.
class CheckButtonAccessible : public QAccessibleWidget {
public:
    explicit CheckButtonAccessible(COptionTreeCheckButton* button);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    COptionTreeCheckButton* button() const;
};

// A spin box whose number a screen reader can read, step and set.
class SpinnerAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinnerAccessible(COptionTreeSpinnerButton* spinner);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    COptionTreeSpinnerButton* spinner() const;
};

// The colour pop-up as a list of its entries: the automatic colour, the forty named colours
// and "More Colors...". The highlighted entry is the focused one.
class ColorPopUpAccessible : public QAccessibleWidget {
public:
    explicit ColorPopUpAccessible(COptionTreeColorPopUp* popUp);
    ~ColorPopUpAccessible() override;

    // Tells a screen reader that the highlight moved to another entry.
    static void sendHighlight(COptionTreeColorPopUp* popUp);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

    COptionTreeColorPopUp* popUp() const;
    // The pop-up's entry code of a child index, and back.
    static int entryOfIndex(int index);
    static int indexOfEntry(int entry);

private:
    // The entries' interfaces, registered with Qt's cache on first use.
    mutable std::vector<QAccessible::Id> entries_;
};
