// COptionTreeItemComboBox: the combo box row of the option tree.
#pragma once

#include "optiontree/option_tree_item.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

class QComboBox;

// One entry of a drop-down list, each with a 32-bit datum. The row keeps the entries and
// answers from them; its combo box is made, and filled, the first time it is shown or handed
// out: most rows of a large tree are never opened, and making their combo boxes up front
// dominated filling the tree. Until then the row keeps the selection too.
class COptionTreeItemComboBox : public COptionTreeItem {
public:
    static constexpr int kDropHeight = 100;

    COptionTreeItemComboBox();
    ~COptionTreeItemComboBox() override;

    RowKind kind() const override { return RowKind::ComboBox; }
    int kindCode() const override { return ComboBoxCode; }

    bool createEditor(std::uint32_t options) override;
    void addEntry(const std::u16string& text, std::int32_t data) override;
    void selectByPrefix(const std::u16string& text) override;
    std::int32_t selectedData() const override;
    std::u16string selectedText() const override;
    QString valueText() const override { return QString::fromStdU16String(selectedText()); }

    int entryCount() const;
    // The selected entry's position, -1 when none.
    int selectedIndex() const;
    // Both make the combo box if the row has asked for one and it does not exist yet.
    QComboBox* comboBox() const;
    QWidget* editorWidget() const override;

    void drawValue(QPainter& painter, const QRect& valueRect) override;
    void showEditor() override;
    // The drop-down list.
    void showChoices(std::optional<QPoint> globalPosition) override;
    void destroyEditor() override;
    void rememberEditorValue() override;
    void restoreEditorValue() override;
    QWidget* existingEditor() const override;

    // Selects the first entry with that datum; none when no entry has it.
    void selectData(std::int32_t data);
    // Renames an entry, keeping its data and the selection.
    void setEntryText(int index, const QString& text);

private:
    void select(int index);
    // The combo box, made on first use; null before createEditor or after destroyEditor.
    QComboBox* ensureComboBox();

    std::unique_ptr<QComboBox> combo_;
    // createEditor succeeded and destroyEditor has not run since.
    bool editorWanted_ = false;
    std::vector<std::pair<QString, std::int32_t>> entries_;
    int selected_ = -1;
    // The entry selected when the editor opened, for Esc.
    int selectedBeforeEdit_ = -1;
};
