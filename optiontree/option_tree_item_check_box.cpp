// COptionTreeItemCheckBox: the check box row of the option tree.
#include "optiontree/option_tree_item_check_box.h"

#include "optiontree/option_tree_check_button.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>

COptionTreeItemCheckBox::COptionTreeItemCheckBox()
    : checkedText_(QCoreApplication::translate("OptionTree", "Checked")),
      uncheckedText_(QCoreApplication::translate("OptionTree", "UnChecked")) {}

COptionTreeItemCheckBox::~COptionTreeItemCheckBox() = default;

bool COptionTreeItemCheckBox::createEditor(std::uint32_t options) {
    if (editorParent() == nullptr || editorWanted_) {
        return false;
    }
    editorWanted_ = true;
    options_ = options;
    return true;
}

COptionTreeCheckButton* COptionTreeItemCheckBox::ensureButton() {
    QWidget* parent = editorParent();
    if (button_ != nullptr || !editorWanted_ || parent == nullptr) {
        return button_.get();
    }
    button_ = std::make_unique<COptionTreeCheckButton>(parent);
    button_->hide();
    button_->setFont(normalFont());
    button_->setGeometry(valueRect());
    button_->setShowText((options_ & kShowStateText) != 0);
    button_->setStateTexts(checkedText_, uncheckedText_);
    button_->setChecked(checked_);
    watchEditor(button_.get());
    return button_.get();
}

// The button stands for the row's own state, so making it leaves the row logically unchanged.
COptionTreeCheckButton* COptionTreeItemCheckBox::checkButton() const {
    return const_cast<COptionTreeItemCheckBox*>(this)->ensureButton();
}

void COptionTreeItemCheckBox::setChecked(bool checked) {
    checked_ = checked;
    if (button_ != nullptr) {
        button_->setChecked(checked);
    }
}

bool COptionTreeItemCheckBox::isChecked() const {
    return button_ != nullptr ? button_->isChecked() : checked_;
}

void COptionTreeItemCheckBox::setStateTexts(const QString& checkedText,
                                            const QString& uncheckedText) {
    checkedText_ = checkedText;
    uncheckedText_ = uncheckedText;
    if (button_ != nullptr) {
        button_->setStateTexts(checkedText, uncheckedText);
    }
}

QString COptionTreeItemCheckBox::valueText() const {
    return isChecked() ? checkedText_ : uncheckedText_;
}

QWidget* COptionTreeItemCheckBox::editorWidget() const {
    return checkButton();
}

void COptionTreeItemCheckBox::drawValue(QPainter& painter, const QRect& valueRect) {
    if (editorHasFocus()) {
        return;
    }
    const bool checked = isChecked();
    int textLeft = valueRect.left();
    if ((options_ & RowOption::kFlatCheckBox) != 0) {
        const QRect box(valueRect.left(), valueRect.top() + 3, COptionTreeCheckButton::kBoxSize,
                        COptionTreeCheckButton::kBoxSize);
        const bool enabled = treeEnabled() && !isReadOnly();
        COptionTreeCheckButton::drawBox(painter, box, checked, true, enabled, palette());
        textLeft = box.right() + 1 + COptionTreeCheckButton::kTextGap;
    }
    if ((options_ & kShowStateText) != 0) {
        QRect textRect = valueRect;
        textRect.setLeft(textLeft);
        drawValueText(painter, textRect, valueText());
    }
}

void COptionTreeItemCheckBox::showEditor() {
    if (ensureButton() == nullptr) {
        return;
    }
    button_->setTreeEnabled(treeEnabled());
    button_->setGeometry(valueRect());
    button_->show();
    button_->raise();
    button_->setFocus(Qt::OtherFocusReason);
}

void COptionTreeItemCheckBox::destroyEditor() {
    editorWanted_ = false;
    if (button_ != nullptr) {
        checked_ = button_->isChecked();
        button_.reset();
    }
}

QWidget* COptionTreeItemCheckBox::existingEditor() const {
    return button_.get();
}

void COptionTreeItemCheckBox::rememberEditorValue() {
    checkedBeforeEdit_ = isChecked();
}

void COptionTreeItemCheckBox::restoreEditorValue() {
    setChecked(checkedBeforeEdit_);
}
