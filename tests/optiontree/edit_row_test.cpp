// The edit row: Enter and focus commits, its creation options, and the string property.
#include "model/string_property.h"
#include "optiontree/option_tree_item_edit.h"
#include "row_test_support.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

using rowtest::RowTest;
constexpr int kChanged = OptionTreeNotify::kItemChanged;

class EditRowTest : public RowTest {};

TEST_F(EditRowTest, EnterCommitsOnceAndDoesNotReopenTheRow) {
    StringProperty property(u"Format", 0, u"%H:%M");
    auto* row = dynamic_cast<COptionTreeItemEdit*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    clickValue(row);
    QLineEdit* edit = row->lineEdit();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->geometry(), row->valueRect());
    EXPECT_EQ(edit->selectedText(), "%H:%M") << "typing replaces the value";
    EXPECT_EQ(QApplication::focusWidget(), edit);

    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, ":%S ");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9"));
    QApplication::sendEvent(edit, &accented);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_FALSE(row->isActivated());
    EXPECT_FALSE(edit->isVisible());
    row->commit();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    property.commitItem();
    EXPECT_EQ(property.value(), u"%H:%M:%S \u00e9");
}

TEST_F(EditRowTest, AReceiverMayDeleteTheRowThatEnterCommits) {
    auto* row = insert<COptionTreeItemEdit>(RowKind::Edit, 0);
    ASSERT_NE(row, nullptr);
    receiver.deleteOnChange = true;
    clickValue(row);
    QTest::keyClick(row->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(receiver.count(kChanged), 1);
    EXPECT_EQ(group->firstChild(), nullptr);
}

TEST_F(EditRowTest, FocusMovingElsewhereInTheTreeCommits) {
    StringProperty property(u"Format", 0, u"");
    auto* row = dynamic_cast<COptionTreeItemEdit*>(
        static_cast<COptionTreeItem*>(property.createItem(*tree, group)));
    ASSERT_NE(row, nullptr);
    clickValue(row);
    QTest::keyClicks(row->lineEdit(), "%d");
    clickElsewhere();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    property.commitItem();
    EXPECT_EQ(property.value(), u"%d");
}

TEST_F(EditRowTest, TextSetBeforeTheEditorReachesItAndCreationHappensOnce) {
    COptionTreeItemEdit loose;
    EXPECT_FALSE(loose.createEditor(0));
    auto* row = static_cast<COptionTreeItemEdit*>(
        static_cast<COptionTreeItem*>(tree->insertRow(RowKind::Edit, group)));
    row->setText(u"before");
    ASSERT_TRUE(row->createEditor(0));
    EXPECT_FALSE(row->createEditor(0));
    EXPECT_EQ(row->lineEdit()->text(), "before");
    row->setText(u"after");
    EXPECT_EQ(row->text(), u"after");
}

TEST_F(EditRowTest, PasswordAndNumbersOnlyOptions) {
    auto* row = insert<COptionTreeItemEdit>(RowKind::Edit, COptionTreeItemEdit::kPassword |
                                                               COptionTreeItemEdit::kNumbersOnly);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->lineEdit()->echoMode(), QLineEdit::Password);
    clickValue(row);
    QTest::keyClicks(row->lineEdit(), "a1-b2");
    EXPECT_EQ(row->text(), u"12");
}

TEST_F(EditRowTest, MultiLineRowIsTallAndReturnMakesANewLine) {
    auto* row = insert<COptionTreeItemEdit>(RowKind::Edit, COptionTreeItemEdit::kMultiLine);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->height(), COptionTreeItemEdit::kMultiLineHeight);
    ASSERT_NE(row->multiLineEdit(), nullptr);
    clickValue(row);
    QTest::keyClicks(row->multiLineEdit(), "one");
    QTest::keyClick(row->multiLineEdit(), Qt::Key_Return);
    QTest::keyClicks(row->multiLineEdit(), "two");
    EXPECT_EQ(receiver.count(kChanged), 0);
    EXPECT_EQ(row->text(), u"one\ntwo");
}

} // namespace
