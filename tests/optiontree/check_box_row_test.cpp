// The check box row: where a click toggles, Space, drawing, commits and the boolean property.
#include "model/bool_property.h"
#include "optiontree/option_tree_check_button.h"
#include "optiontree/option_tree_item_check_box.h"
#include "row_test_support.h"

#include <QImage>
#include <QPainter>

namespace {

using rowtest::RowTest;
constexpr int kChanged = OptionTreeNotify::kItemChanged;

class CheckBoxRowTest : public RowTest {};

TEST_F(CheckBoxRowTest, OnlyAReleaseOnTheBoxTogglesUnlessTheTextIsShown) {
    auto* row = insert<COptionTreeItemCheckBox>(RowKind::CheckBox, RowOption::kFlatCheckBox);
    ASSERT_NE(row, nullptr);
    clickValue(row);
    COptionTreeCheckButton* button = row->checkButton();
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->geometry(), row->valueRect());
    EXPECT_EQ(QApplication::focusWidget(), button);
    EXPECT_EQ(button->boxRect(), QRect(1, 4, 14, 14));

    QTest::mouseClick(button, Qt::LeftButton, {}, button->boxRect().center());
    EXPECT_TRUE(row->isChecked());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_TRUE(row->isChecked());
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_FALSE(row->isChecked());

    button->setShowText(true);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_TRUE(row->isChecked());
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_F(CheckBoxRowTest, StateSetBeforeTheEditorReachesItAndCreationHappensOnce) {
    COptionTreeItemCheckBox loose;
    EXPECT_FALSE(loose.createEditor(0));
    auto* row = static_cast<COptionTreeItemCheckBox*>(
        static_cast<COptionTreeItem*>(tree->insertRow(RowKind::CheckBox, group)));
    row->setChecked(true);
    ASSERT_TRUE(row->createEditor(RowOption::kFlatCheckBox));
    EXPECT_FALSE(row->createEditor(RowOption::kFlatCheckBox));
    EXPECT_TRUE(row->checkButton()->isChecked());
    EXPECT_FALSE(row->checkButton()->isVisible());
}

TEST_F(CheckBoxRowTest, TheFlatBoxIsDrawnInTheTextColourAndTickedWhenOn) {
    QPalette colours = tree->palette();
    colours.setColor(QPalette::Text, QColor(200, 0, 0));
    colours.setColor(QPalette::Base, QColor(0, 0, 40));
    tree->setPalette(colours);
    auto* row = insert<COptionTreeItemCheckBox>(RowKind::CheckBox, RowOption::kFlatCheckBox);
    ASSERT_NE(row, nullptr);

    auto inkInside = [&](bool checked) {
        row->setChecked(checked);
        QImage image(row->valueRect().size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        row->drawValue(painter, QRect(QPoint(0, 0), row->valueRect().size()));
        painter.end();
        int ink = 0;
        for (int y = 3 + 3; y < 3 + 14 - 3; ++y) {
            for (int x = 3; x < 14 - 3; ++x) {
                ink += image.pixelColor(x, y).red() > 100 ? 1 : 0;
            }
        }
        return std::pair(ink, image.pixelColor(0, 3));
    };
    const auto [inkOff, cornerOff] = inkInside(false);
    const auto [inkOn, cornerOn] = inkInside(true);
    EXPECT_EQ(cornerOff, QColor(200, 0, 0));
    EXPECT_EQ(inkOff, 0);
    EXPECT_GT(inkOn, 8);
}

TEST_F(CheckBoxRowTest, TickedThroughTheRowTheBoolPropertyTurnsOn) {
    BoolProperty property(u"Shadow", 0, 0);
    auto* row = dynamic_cast<COptionTreeItemCheckBox*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->isChecked());
    clickValue(row);
    QTest::mouseClick(row->checkButton(), Qt::LeftButton, {},
                      row->checkButton()->boxRect().center());
    clickElsewhere();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_FALSE(row->checkButton()->isVisible());
    property.commitItem();
    EXPECT_EQ(property.value(), 1);
}

} // namespace
