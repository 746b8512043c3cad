// The combo box row: entries, selection by prefix, the drop height, and choice properties.
#include "model/line_cap_property.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "row_test_support.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

using rowtest::RowTest;
constexpr int kChanged = OptionTreeNotify::kItemChanged;

class ComboBoxRowTest : public RowTest {};

TEST_F(ComboBoxRowTest, SelectsTheFirstEntryStartingWithTheTextIgnoringCase) {
    auto* row = static_cast<COptionTreeItemComboBox*>(
        static_cast<COptionTreeItem*>(tree->insertRow(RowKind::ComboBox, group)));
    row->addEntry(u"Square", 1);
    row->addEntry(u"Square Anchor", 17);
    EXPECT_EQ(row->selectedData(), -1);
    EXPECT_EQ(row->selectedText(), u"");
    ASSERT_TRUE(row->createEditor(0));
    EXPECT_FALSE(row->createEditor(0));
    // Entries added to the open list do not choose one either.
    row->addEntry(u"Round", 2);
    EXPECT_EQ(row->comboBox()->count(), 3);
    EXPECT_EQ(row->selectedData(), -1);

    row->selectByPrefix(u"sQuArE");
    EXPECT_EQ(row->selectedData(), 1);
    row->selectByPrefix(u"square a");
    EXPECT_EQ(row->selectedData(), 17);
    EXPECT_EQ(row->selectedText(), u"Square Anchor");
    row->selectByPrefix(u"Triangle");
    EXPECT_EQ(row->selectedData(), 17);
}

TEST_F(ComboBoxRowTest, OpensOverTheValueWithAHundredPixelDrop) {
    auto* row = insert<COptionTreeItemComboBox>(RowKind::ComboBox, 0);
    ASSERT_NE(row, nullptr);
    for (int i = 0; i < 20; ++i) {
        row->addEntry(u"Entry " + std::u16string(1, char16_t(u'a' + i)), i);
    }
    clickValue(row);
    QComboBox* combo = row->comboBox();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->geometry(), row->valueRect());
    EXPECT_TRUE(combo->view()->isVisible()) << "one click shows the choices";
    combo->hidePopup();
    EXPECT_EQ(QApplication::focusWidget(), combo);
    const int entryHeight = combo->view()->sizeHintForRow(0);
    EXPECT_LE(combo->maxVisibleItems() * entryHeight, COptionTreeItemComboBox::kDropHeight);
    EXPECT_GT((combo->maxVisibleItems() + 1) * entryHeight, COptionTreeItemComboBox::kDropHeight);
}

TEST_F(ComboBoxRowTest, ChoosingAnotherCapChangesTheLineCapProperty) {
    LineCapProperty property(u"Cap", 0, LineCap::Triangle);
    auto* row = dynamic_cast<COptionTreeItemComboBox*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->selectedData(), static_cast<std::int32_t>(LineCap::Triangle));
    // The choice applies when it is made, in the list one click showed.
    clickValue(row);
    QAbstractItemView* list = row->comboBox()->view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(receiver.count(kChanged), 0);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_FALSE(row->comboBox()->isVisible());
    property.commitItem();
    EXPECT_EQ(property.value(), static_cast<std::int32_t>(LineCap::NoAnchor));
}

TEST_F(ComboBoxRowTest, AStoredValueWithoutAChoiceSurvivesTheEdit) {
    LineCapProperty property(u"Cap", 0, static_cast<LineCap>(7));
    auto* row = dynamic_cast<COptionTreeItemComboBox*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->selectedData(), -1);
    clickValue(row);
    clickElsewhere();
    property.commitItem();
    EXPECT_EQ(property.value(), 7);
}

} // namespace
