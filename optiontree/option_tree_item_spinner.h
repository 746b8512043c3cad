// COptionTreeItemSpinner: the spinner row of the option tree.
#pragma once

#include "optiontree/option_tree_item.h"

#include <QString>
#include <memory>

class COptionTreeSpinnerButton;

// A number edited by typing or with two arrow buttons. The row owns its spinner window, made
// the first time it is shown or handed out: most rows of a large tree are never opened, and
// making their windows up front dominated filling the tree. Until then the row keeps the text,
// limits and options itself.
class COptionTreeItemSpinner : public COptionTreeItem {
public:
    COptionTreeItemSpinner();
    ~COptionTreeItemSpinner() override;

    RowKind kind() const override { return RowKind::Spinner; }
    int kindCode() const override { return SpinnerCode; }

    // Options: RowOption::kTyping, RowOption::kWrapAround.
    bool createEditor(std::uint32_t options) override;
    void setNumber(double value) override;
    void setLimits(double lower, double upper) override;
    std::int32_t number() const override;
    double lowerLimit() const { return lower_; }
    double upperLimit() const { return upper_; }

    // The edit's text, which is the value.
    QString valueText() const override;
    // Both make the spinner window if the row has asked for one and it does not exist yet.
    COptionTreeSpinnerButton* spinner() const;
    QWidget* editorWidget() const override;

    void drawValue(QPainter& painter, const QRect& valueRect) override;
    void showEditor() override;
    void commitEditor() override;
    void destroyEditor() override;
    void rememberEditorValue() override;
    void restoreEditorValue() override;
    QWidget* existingEditor() const override;

private:
    // The spinner window, made on first use; null before createEditor or after destroyEditor.
    COptionTreeSpinnerButton* ensureSpinner();

    std::unique_ptr<COptionTreeSpinnerButton> spinner_;
    // createEditor succeeded and destroyEditor has not run since.
    bool editorWanted_ = false;
    std::uint32_t options_ = 0;
    QString text_;
    // The text when the editor opened, for Esc.
    QString textBeforeEdit_;
    double lower_;
    double upper_;
};
