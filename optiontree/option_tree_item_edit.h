// COptionTreeItemEdit: the edit row of the option tree.
#pragma once

#include "optiontree/option_tree_item.h"

#include <QString>
#include <memory>

class QLineEdit;
class QPlainTextEdit;

// A text edited in place: one line (Enter commits) or several. The row owns its edit, made the
// first time it is shown or handed out: most rows of a large tree are never opened, and making
// their edits up front dominated filling the tree. Until then the row keeps the text itself.
class COptionTreeItemEdit : public COptionTreeItem {
public:
    // Creation options.
    static constexpr std::uint32_t kMultiLine = 0x40000;
    static constexpr std::uint32_t kPassword = 0x400;
    static constexpr std::uint32_t kNumbersOnly = 0x200;
    static constexpr int kMultiLineHeight = 75;

    COptionTreeItemEdit();
    ~COptionTreeItemEdit() override;

    RowKind kind() const override { return RowKind::Edit; }
    int kindCode() const override { return EditCode; }

    bool createEditor(std::uint32_t options) override;
    void setText(const std::u16string& text) override;
    std::u16string text() const override;

    QString valueText() const override;
    bool isMultiLine() const { return (options_ & kMultiLine) != 0; }
    // Exactly one of them exists once the editor is made; each makes it on first use.
    QLineEdit* lineEdit() const;
    QPlainTextEdit* multiLineEdit() const;
    QWidget* editorWidget() const override;

    void drawValue(QPainter& painter, const QRect& valueRect) override;
    void showEditor() override;
    void destroyEditor() override;
    void rememberEditorValue() override;
    void restoreEditorValue() override;
    QWidget* existingEditor() const override;

private:
    // The edit, made on first use; null before createEditor or after destroyEditor.
    QWidget* ensureEditor();

    std::unique_ptr<QLineEdit> line_;
    std::unique_ptr<QPlainTextEdit> multi_;
    // createEditor succeeded and destroyEditor has not run since.
    bool editorWanted_ = false;
    std::uint32_t options_ = 0;
    QString text_;
    // The text when the editor opened, for Esc.
    QString textBeforeEdit_;
};
