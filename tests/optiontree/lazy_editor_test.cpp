// Editor rows make their widgets on first use: a filled tree holds no editors, values live in
// the rows meanwhile, and the widget made on activation starts from the row's value.
#include "optiontree/option_tree_check_button.h"
#include "optiontree/option_tree_item_check_box.h"
#include "optiontree/option_tree_item_color.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_edit.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_spinner_button.h"
#include "row_test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <string>

namespace {

using rowtest::RowTest;

struct LazyRow {
    const char* name;
    RowKind kind;
    std::uint32_t options;
    // Gives the row its value before any widget exists, and checks the row reports it.
    std::function<void(COptionTreeItem&)> setAndCheckValue;
    // Checks that the widget, once made, shows the row's value and options.
    std::function<void(COptionTreeItem&)> checkEditor;
};

void setSpinner(COptionTreeItem& row) {
    row.setLimits(0, 100);
    row.setNumber(42);
    EXPECT_EQ(row.number(), 42);
}

void checkSpinner(COptionTreeItem& row) {
    COptionTreeSpinnerButton* spinner = dynamic_cast<COptionTreeItemSpinner&>(row).spinner();
    ASSERT_NE(spinner, nullptr);
    EXPECT_EQ(spinner->edit().text(), QStringLiteral("42"));
    EXPECT_EQ(spinner->upperLimit(), 100);
    EXPECT_TRUE(spinner->wrapsAround());
    EXPECT_TRUE(spinner->edit().acceptsTyping());
}

void setEdit(COptionTreeItem& row) {
    row.setText(u"secret");
    EXPECT_EQ(row.text(), u"secret");
}

void checkLineEdit(COptionTreeItem& row) {
    auto& edit = dynamic_cast<COptionTreeItemEdit&>(row);
    ASSERT_NE(edit.lineEdit(), nullptr);
    EXPECT_EQ(edit.multiLineEdit(), nullptr);
    EXPECT_EQ(edit.lineEdit()->text(), QStringLiteral("secret"));
    EXPECT_EQ(edit.lineEdit()->echoMode(), QLineEdit::Password);
}

void checkMultiLineEdit(COptionTreeItem& row) {
    auto& edit = dynamic_cast<COptionTreeItemEdit&>(row);
    ASSERT_NE(edit.multiLineEdit(), nullptr);
    EXPECT_EQ(edit.lineEdit(), nullptr);
    EXPECT_EQ(edit.multiLineEdit()->toPlainText(), QStringLiteral("secret"));
    // The taller row is laid out before the edit exists.
    EXPECT_EQ(row.height(), COptionTreeItemEdit::kMultiLineHeight);
}

void setCheckBox(COptionTreeItem& row) {
    row.setChecked(true);
    EXPECT_TRUE(row.isChecked());
}

void checkCheckBox(COptionTreeItem& row) {
    COptionTreeCheckButton* button = dynamic_cast<COptionTreeItemCheckBox&>(row).checkButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isChecked());
}

void setComboBox(COptionTreeItem& row) {
    row.addEntry(u"Alpha", 10);
    row.addEntry(u"Beta", 20);
    row.addEntry(u"Gamma", 30);
    EXPECT_EQ(row.selectedData(), -1);
    row.selectByPrefix(u"be");
    EXPECT_EQ(row.selectedData(), 20);
    EXPECT_EQ(row.selectedText(), u"Beta");
}

void checkComboBox(COptionTreeItem& row) {
    QComboBox* combo = dynamic_cast<COptionTreeItemComboBox&>(row).comboBox();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->itemText(2), QStringLiteral("Gamma"));
    EXPECT_EQ(combo->itemData(2).toInt(), 30);
}

void setColor(COptionTreeItem& row) {
    row.setColor(0x123456);
    EXPECT_EQ(row.color(), 0x123456u);
}

void checkColor(COptionTreeItem& row) {
    EXPECT_EQ(row.color(), 0x123456u);
    EXPECT_EQ(dynamic_cast<COptionTreeItemColor&>(row).valueText(), QStringLiteral("#123456"));
}

class LazyEditorTest : public RowTest, public testing::WithParamInterface<LazyRow> {
protected:
    int widgetCount() const {
        return static_cast<int>(viewport()->findChildren<QWidget*>().size());
    }
};

TEST_P(LazyEditorTest, FilledRowsHoldNoWidgetUntilActivated) {
    const LazyRow& param = GetParam();
    const int before = widgetCount();
    std::vector<COptionTreeItem*> rows;
    for (int i = 0; i < 100; ++i) {
        auto* row = insert<COptionTreeItem>(param.kind, param.options);
        ASSERT_NE(row, nullptr);
        param.setAndCheckValue(*row);
        rows.push_back(row);
    }
    // Laying out, moving the editors and painting every value must not make any widget.
    layout();
    tree->refreshItems(nullptr);
    (void)tree->grab();
    EXPECT_EQ(widgetCount(), before);
    // A second createEditor is refused although the first made no widget yet.
    EXPECT_FALSE(rows.front()->createEditor(param.options));

    COptionTreeItem* opened = rows.front();
    opened->activate();
    ASSERT_NE(opened->editorWidget(), nullptr);
    EXPECT_TRUE(opened->editorWidget()->isVisible());
    EXPECT_EQ(opened->editorWidget()->parentWidget(), viewport());
    EXPECT_GT(widgetCount(), before);
    param.checkEditor(*opened);
    // Only the opened row made one.
    const int afterOpen = widgetCount();
    layout();
    EXPECT_EQ(widgetCount(), afterOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LazyEditorTest,
    testing::Values(
        LazyRow{"Spinner", RowKind::Spinner, RowOption::kSpinner, setSpinner, checkSpinner},
        LazyRow{"LineEdit", RowKind::Edit, COptionTreeItemEdit::kPassword, setEdit, checkLineEdit},
        LazyRow{"MultiLineEdit", RowKind::Edit, COptionTreeItemEdit::kMultiLine, setEdit,
                checkMultiLineEdit},
        LazyRow{"CheckBox", RowKind::CheckBox, COptionTreeItemCheckBox::kShowStateText, setCheckBox,
                checkCheckBox},
        LazyRow{"ComboBox", RowKind::ComboBox, 0, setComboBox, checkComboBox},
        LazyRow{"Color", RowKind::Color, ColorRowOption::kHexText, setColor, checkColor}),
    [](const auto& info) { return std::string(info.param.name); });

// A row outside a tree has nowhere to put a widget: createEditor refuses and no accessor makes
// one.
TEST(LazyEditorDetachedTest, RowOutsideATreeMakesNoWidget) {
    COptionTreeItemSpinner spinner;
    EXPECT_FALSE(spinner.createEditor(RowOption::kSpinner));
    EXPECT_EQ(spinner.spinner(), nullptr);
    spinner.setNumber(7);
    EXPECT_EQ(spinner.number(), 7);

    COptionTreeItemComboBox combo;
    EXPECT_FALSE(combo.createEditor(0));
    EXPECT_EQ(combo.comboBox(), nullptr);
    combo.addEntry(u"One", 1);
    combo.selectByPrefix(u"o");
    EXPECT_EQ(combo.selectedData(), 1);
}

// The value the user typed survives the widget: the row takes it back when the editor goes, and
// the row's getters read the widget while it exists.
TEST_F(RowTest, LazySpinnerKeepsTheTypedValueAfterItsWidgetGoes) {
    auto* row = insert<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kSpinner);
    ASSERT_NE(row, nullptr);
    row->setNumber(3);
    row->activate();
    ASSERT_NE(row->spinner(), nullptr);
    row->spinner()->edit().setText(QStringLiteral("17"));
    EXPECT_EQ(row->number(), 17);
    row->destroyEditor();
    EXPECT_EQ(row->spinner(), nullptr);
    EXPECT_EQ(row->number(), 17);
    // After destroyEditor the row may ask for an editor again, and it starts from the value.
    EXPECT_TRUE(row->createEditor(RowOption::kSpinner));
    ASSERT_NE(row->spinner(), nullptr);
    EXPECT_EQ(row->spinner()->edit().text(), QStringLiteral("17"));
}

} // namespace
