// COptionTreeItemCheckBox: the check box row of the option tree.
#pragma once

#include "optiontree/option_tree_item.h"

#include <QString>
#include <memory>

class COptionTreeCheckButton;

// An on/off value. The row owns its check button, made the first time it is shown or handed
// out: most rows of a large tree are never opened, and making their buttons up front dominated
// filling the tree. Until then the row keeps the state itself.
class COptionTreeItemCheckBox : public COptionTreeItem {
public:
    // Creation option: the state's text beside the box (RowOption::kFlatCheckBox draws it flat).
    static constexpr std::uint32_t kShowStateText = 0x40000;

    COptionTreeItemCheckBox();
    ~COptionTreeItemCheckBox() override;

    RowKind kind() const override { return RowKind::CheckBox; }
    int kindCode() const override { return CheckBoxCode; }

    bool createEditor(std::uint32_t options) override;
    void setChecked(bool checked) override;
    bool isChecked() const override;
    // The state text of the state the row is in.
    QString valueText() const override;

    void setStateTexts(const QString& checkedText, const QString& uncheckedText);
    // Both make the check button if the row has asked for one and it does not exist yet.
    COptionTreeCheckButton* checkButton() const;
    QWidget* editorWidget() const override;

    void drawValue(QPainter& painter, const QRect& valueRect) override;
    void showEditor() override;
    void destroyEditor() override;
    void rememberEditorValue() override;
    void restoreEditorValue() override;
    QWidget* existingEditor() const override;

private:
    // The check button, made on first use; null before createEditor or after destroyEditor.
    COptionTreeCheckButton* ensureButton();

    std::unique_ptr<COptionTreeCheckButton> button_;
    // createEditor succeeded and destroyEditor has not run since.
    bool editorWanted_ = false;
    std::uint32_t options_ = 0;
    bool checked_ = false;
    // The state when the editor opened, for Esc.
    bool checkedBeforeEdit_ = false;
    QString checkedText_;
    QString uncheckedText_;
};
