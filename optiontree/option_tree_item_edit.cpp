// COptionTreeItemEdit: the edit row of the option tree.
#include "optiontree/option_tree_item_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

COptionTreeItemEdit::COptionTreeItemEdit() = default;

COptionTreeItemEdit::~COptionTreeItemEdit() = default;

bool COptionTreeItemEdit::createEditor(std::uint32_t options) {
    if (editorParent() == nullptr || editorWanted_) {
        return false;
    }
    editorWanted_ = true;
    options_ = options;
    if (isMultiLine()) {
        setHeight(kMultiLineHeight);
    }
    return true;
}

QWidget* COptionTreeItemEdit::ensureEditor() {
    QWidget* parent = editorParent();
    if (existingEditor() != nullptr || !editorWanted_ || parent == nullptr) {
        return existingEditor();
    }
    QWidget* editor = nullptr;
    if (isMultiLine()) {
        multi_ = std::make_unique<QPlainTextEdit>(parent);
        multi_->setPlainText(text_);
        multi_->setTabChangesFocus(true);
        editor = multi_.get();
    } else {
        line_ = std::make_unique<QLineEdit>(parent);
        line_->setText(text_);
        if ((options_ & kPassword) != 0) {
            line_->setEchoMode(QLineEdit::Password);
        }
        if ((options_ & kNumbersOnly) != 0) {
            line_->setValidator(
                new QRegularExpressionValidator(QRegularExpression("[0-9]*"), line_.get()));
        }
        editor = line_.get();
    }
    editor->hide();
    editor->setFont(normalFont());
    editor->setGeometry(valueRect());
    watchEditor(editor);
    return editor;
}

void COptionTreeItemEdit::setText(const std::u16string& text) {
    text_ = QString::fromStdU16String(text);
    if (line_ != nullptr) {
        const QSignalBlocker blocker(line_.get());
        line_->setText(text_);
    } else if (multi_ != nullptr) {
        const QSignalBlocker blocker(multi_.get());
        multi_->setPlainText(text_);
    }
}

std::u16string COptionTreeItemEdit::text() const {
    return valueText().toStdU16String();
}

QString COptionTreeItemEdit::valueText() const {
    if (line_ != nullptr) {
        return line_->text();
    }
    if (multi_ != nullptr) {
        return multi_->toPlainText();
    }
    return text_;
}

QWidget* COptionTreeItemEdit::existingEditor() const {
    if (line_ != nullptr) {
        return line_.get();
    }
    return multi_.get();
}

// The edit stands for the row's own text, so making it leaves the row logically unchanged.
QWidget* COptionTreeItemEdit::editorWidget() const {
    return const_cast<COptionTreeItemEdit*>(this)->ensureEditor();
}

QLineEdit* COptionTreeItemEdit::lineEdit() const {
    editorWidget();
    return line_.get();
}

QPlainTextEdit* COptionTreeItemEdit::multiLineEdit() const {
    editorWidget();
    return multi_.get();
}

void COptionTreeItemEdit::drawValue(QPainter& painter, const QRect& valueRect) {
    if (editorHasFocus()) {
        return;
    }
    QString shown = valueText();
    if ((options_ & kPassword) != 0) {
        shown = QString(shown.size(), u'*');
    }
    if (!isMultiLine()) {
        drawValueText(painter, valueRect, shown);
        return;
    }
    const QPalette colors = palette();
    const bool grey = isReadOnly() || !treeEnabled();
    painter.setFont(normalFont());
    painter.setPen(grey ? colors.color(QPalette::Disabled, QPalette::Text)
                        : valueTextColor(colors));
    painter.drawText(valueRect, Qt::AlignLeft | Qt::AlignTop, shown);
}

void COptionTreeItemEdit::showEditor() {
    QWidget* editor = ensureEditor();
    if (editor == nullptr) {
        return;
    }
    editor->setGeometry(valueRect());
    editor->show();
    editor->raise();
    // The value is selected, so that typing replaces it.
    if (line_ != nullptr) {
        line_->selectAll();
    } else {
        multi_->selectAll();
    }
    editor->setFocus(Qt::OtherFocusReason);
}

void COptionTreeItemEdit::destroyEditor() {
    editorWanted_ = false;
    text_ = valueText();
    line_.reset();
    multi_.reset();
}

void COptionTreeItemEdit::rememberEditorValue() {
    textBeforeEdit_ = valueText();
}

void COptionTreeItemEdit::restoreEditorValue() {
    setText(textBeforeEdit_.toStdU16String());
}
