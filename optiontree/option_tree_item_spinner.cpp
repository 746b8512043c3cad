// COptionTreeItemSpinner: the spinner row of the option tree.
#include "optiontree/option_tree_item_spinner.h"

#include "optiontree/option_tree_spinner_button.h"

#include <QApplication>
#include <limits>

COptionTreeItemSpinner::COptionTreeItemSpinner()
    : text_(spinnerText(0)), lower_(std::numeric_limits<std::int32_t>::min()),
      upper_(std::numeric_limits<std::int32_t>::max()) {}

COptionTreeItemSpinner::~COptionTreeItemSpinner() = default;

bool COptionTreeItemSpinner::createEditor(std::uint32_t options) {
    if (editorParent() == nullptr || editorWanted_) {
        return false;
    }
    editorWanted_ = true;
    options_ = options;
    return true;
}

COptionTreeSpinnerButton* COptionTreeItemSpinner::ensureSpinner() {
    QWidget* parent = editorParent();
    if (spinner_ != nullptr || !editorWanted_ || parent == nullptr) {
        return spinner_.get();
    }
    spinner_ = std::make_unique<COptionTreeSpinnerButton>(parent);
    spinner_->hide();
    spinner_->setFont(normalFont());
    spinner_->setGeometry(valueRect());
    spinner_->setWrapAround((options_ & RowOption::kWrapAround) != 0);
    spinner_->edit().setAcceptsTyping((options_ & RowOption::kTyping) != 0);
    spinner_->setLimits(lower_, upper_);
    spinner_->edit().setText(text_);
    watchEditor(spinner_.get());
    return spinner_.get();
}

// The window stands for the row's own value, so making it leaves the row logically unchanged.
COptionTreeSpinnerButton* COptionTreeItemSpinner::spinner() const {
    return const_cast<COptionTreeItemSpinner*>(this)->ensureSpinner();
}

void COptionTreeItemSpinner::setNumber(double value) {
    const QString text = spinnerText(value);
    if (spinner_ == nullptr) {
        text_ = text;
    } else if (spinner_->edit().text() != text) {
        // Rewriting an equal text would only move the caret of an open edit.
        spinner_->setNumber(value);
    }
}

void COptionTreeItemSpinner::setLimits(double lower, double upper) {
    lower_ = lower;
    upper_ = upper;
    if (spinner_ != nullptr) {
        spinner_->setLimits(lower, upper);
    }
}

std::int32_t COptionTreeItemSpinner::number() const {
    return spinnerNumber(valueText());
}

QString COptionTreeItemSpinner::valueText() const {
    return spinner_ != nullptr ? spinner_->edit().text() : text_;
}

QWidget* COptionTreeItemSpinner::editorWidget() const {
    return spinner();
}

void COptionTreeItemSpinner::drawValue(QPainter& painter, const QRect& valueRect) {
    if (editorHasFocus()) {
        return;
    }
    drawValueText(painter, valueRect, valueText());
}

void COptionTreeItemSpinner::showEditor() {
    if (ensureSpinner() == nullptr) {
        return;
    }
    spinner_->setGeometry(valueRect());
    spinner_->show();
    spinner_->raise();
    spinner_->edit().setFocus(Qt::OtherFocusReason);
    // Typing replaces the number rather than adding to it.
    spinner_->edit().selectAll();
}

// What was typed is taken as the number in the limits, and the row shows that number.
void COptionTreeItemSpinner::commitEditor() {
    if (spinner_ != nullptr) {
        spinner_->clampToLimits();
    }
    COptionTreeItem::commitEditor();
}

void COptionTreeItemSpinner::destroyEditor() {
    editorWanted_ = false;
    if (spinner_ != nullptr) {
        text_ = spinner_->edit().text();
        spinner_.reset();
    }
}

QWidget* COptionTreeItemSpinner::existingEditor() const {
    return spinner_.get();
}

void COptionTreeItemSpinner::rememberEditorValue() {
    textBeforeEdit_ = valueText();
}

void COptionTreeItemSpinner::restoreEditorValue() {
    if (spinner_ != nullptr) {
        spinner_->edit().setText(textBeforeEdit_);
    } else {
        text_ = textBeforeEdit_;
    }
}
