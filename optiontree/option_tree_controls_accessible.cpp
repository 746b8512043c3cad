// The accessible interfaces of the check button, the spinner and the colour pop-up.
#include "optiontree/option_tree_controls_accessible.h"

#include "optiontree/option_tree_check_button.h"
#include "optiontree/option_tree_color_pop_up.h"
#include "optiontree/option_tree_spinner_button.h"

#include <QCoreApplication>
#include <QWindow>
#include <algorithm>

CheckButtonAccessible::CheckButtonAccessible(COptionTreeCheckButton* button)
    : QAccessibleWidget(button, QAccessible::CheckBox) {}

COptionTreeCheckButton* CheckButtonAccessible::button() const {
    return static_cast<COptionTreeCheckButton*>(widget());
}

QAccessible::State CheckButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    return state;
}

QString CheckButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return button()->stateText();
    }
    return QAccessibleWidget::text(t);
}

QStringList CheckButtonAccessible::actionNames() const {
    return QAccessibleWidget::actionNames() << toggleAction() << pressAction();
}

void CheckButtonAccessible::doAction(const QString& name) {
    if ((name == toggleAction() || name == pressAction()) && button()->isEnabled()) {
        button()->toggle();
        return;
    }
    QAccessibleWidget::doAction(name);
}

SpinnerAccessible::SpinnerAccessible(COptionTreeSpinnerButton* spinner)
    : QAccessibleWidget(spinner, QAccessible::SpinBox) {}

COptionTreeSpinnerButton* SpinnerAccessible::spinner() const {
    return static_cast<COptionTreeSpinnerButton*>(widget());
}

void* SpinnerAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString SpinnerAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return spinner()->edit().text();
    }
    return QAccessibleWidget::text(t);
}

QStringList SpinnerAccessible::actionNames() const {
    return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
}

void SpinnerAccessible::doAction(const QString& name) {
    if (name == increaseAction() || name == decreaseAction()) {
        spinner()->step(name == increaseAction() ? 1 : -1);
        return;
    }
    QAccessibleWidget::doAction(name);
}

QVariant SpinnerAccessible::currentValue() const {
    return spinner()->number();
}

void SpinnerAccessible::setCurrentValue(const QVariant& value) {
    spinner()->setNumber(
        std::clamp(value.toDouble(), spinner()->lowerLimit(), spinner()->upperLimit()));
}

QVariant SpinnerAccessible::maximumValue() const {
    return spinner()->upperLimit();
}

QVariant SpinnerAccessible::minimumValue() const {
    return spinner()->lowerLimit();
}

namespace {

constexpr int kEntryCount = static_cast<int>(kPopUpColors.size()) + 2;

class ColorEntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ColorEntryAccessible(COptionTreeColorPopUp* popUp, int entry) : popUp_(popUp), entry_(entry) {}

    bool isValid() const override { return popUp_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return popUp_->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(popUp_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) {
            return {};
        }
        if (entry_ == ColorPopUpLayout::kDefaultEntry) {
            return COptionTreeColorPopUp::defaultText();
        }
        if (entry_ == ColorPopUpLayout::kCustomEntry) {
            return COptionTreeColorPopUp::customText();
        }
        return COptionTreeColorPopUp::colorName(entry_).trimmed();
    }

    QRect rect() const override {
        const QRect local = popUp_->layout().entryRect(entry_);
        return QRect(popUp_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.selected = popUp_->highlighted() == entry_;
        state.focused = state.selected;
        state.invisible = !popUp_->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            popUp_->chooseEntry(entry_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    COptionTreeColorPopUp* popUp_;
    int entry_;
};

} // namespace

ColorPopUpAccessible::ColorPopUpAccessible(COptionTreeColorPopUp* popUp)
    : QAccessibleWidget(popUp, QAccessible::List) {}

ColorPopUpAccessible::~ColorPopUpAccessible() {
    for (QAccessible::Id id : entries_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

COptionTreeColorPopUp* ColorPopUpAccessible::popUp() const {
    return static_cast<COptionTreeColorPopUp*>(widget());
}

int ColorPopUpAccessible::entryOfIndex(int index) {
    if (index == 0) {
        return ColorPopUpLayout::kDefaultEntry;
    }
    if (index == kEntryCount - 1) {
        return ColorPopUpLayout::kCustomEntry;
    }
    return index >= 1 && index < kEntryCount - 1 ? index - 1 : ColorPopUpLayout::kNoEntry;
}

int ColorPopUpAccessible::indexOfEntry(int entry) {
    if (entry == ColorPopUpLayout::kDefaultEntry) {
        return 0;
    }
    if (entry == ColorPopUpLayout::kCustomEntry) {
        return kEntryCount - 1;
    }
    return entry >= 0 && entry < kEntryCount - 2 ? entry + 1 : -1;
}

void ColorPopUpAccessible::sendHighlight(COptionTreeColorPopUp* popUp) {
    if (!QAccessible::isActive()) {
        return;
    }
    auto* list = static_cast<ColorPopUpAccessible*>(QAccessible::queryAccessibleInterface(popUp));
    QAccessibleInterface* entry =
        list != nullptr ? list->child(indexOfEntry(popUp->highlighted())) : nullptr;
    if (entry == nullptr) {
        return;
    }
    QAccessibleEvent focus(entry, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selection(entry, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
}

int ColorPopUpAccessible::childCount() const {
    return kEntryCount;
}

QAccessibleInterface* ColorPopUpAccessible::child(int index) const {
    if (index < 0 || index >= kEntryCount) {
        return nullptr;
    }
    if (entries_.empty()) {
        entries_.assign(kEntryCount, 0);
    }
    if (entries_[index] == 0) {
        entries_[index] = QAccessible::registerAccessibleInterface(
            new ColorEntryAccessible(popUp(), entryOfIndex(index)));
    }
    return QAccessible::accessibleInterface(entries_[index]);
}

int ColorPopUpAccessible::indexOfChild(const QAccessibleInterface* wanted) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] != 0 && QAccessible::accessibleInterface(entries_[i]) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QAccessibleInterface* ColorPopUpAccessible::childAt(int x, int y) const {
    const int entry = popUp()->layout().entryAt(popUp()->mapFromGlobal(QPoint(x, y)));
    return child(indexOfEntry(entry));
}

QAccessibleInterface* ColorPopUpAccessible::focusChild() const {
    return child(indexOfEntry(popUp()->highlighted()));
}

QString ColorPopUpAccessible::text(QAccessible::Text t) const {
    QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) {
        return QCoreApplication::translate("OptionTree", "Colors");
    }
    return own;
}
