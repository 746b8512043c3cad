// The keys of an open editor, for every row kind: Esc cancels only that edit, Enter commits,
// and Tab and Shift+Tab commit and move to the next or previous row.
#include "optiontree/option_tree_check_button.h"
#include "optiontree/option_tree_item_check_box.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_edit.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_spinner_button.h"
#include "row_test_support.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr int kChanged = OptionTreeNotify::kItemChanged;

// The tree sits in a dialog, as in the customize dialog, whose Esc would reject it.
class EditorKeysTest : public testing::Test {
public:
    void SetUp() override {
        dialog = std::make_unique<QDialog>();
        auto* layout = new QVBoxLayout(dialog.get());
        tree = new COptionTree(OptionTreeOption::kNotify, dialog.get());
        layout->addWidget(tree);
        tree->setNotify(true, &receiver);
        dialog->resize(360, 300);
        group = static_cast<COptionTreeItem*>(tree->insertRow(RowKind::Plain, nullptr));
        group->setLabel(u"Group");
        group->setExpanded(true);
        edit = add<COptionTreeItemEdit>(RowKind::Edit, 0);
        edit->setText(u"%H:%M");
        spinner = add<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kSpinner);
        spinner->setLimits(0, 255);
        spinner->setNumber(128);
        combo = add<COptionTreeItemComboBox>(RowKind::ComboBox, 0);
        combo->addEntry(u"flat", 0);
        combo->addEntry(u"round", 2);
        combo->selectByPrefix(u"flat");
        check = add<COptionTreeItemCheckBox>(RowKind::CheckBox, RowOption::kFlatCheckBox);
        check->setChecked(false);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        tree->layoutRows();
        tree->moveEditors();
    }

    template <typename Row> Row* add(RowKind kind, std::uint32_t options) {
        auto* row = dynamic_cast<Row*>(static_cast<COptionTreeItem*>(tree->insertRow(kind, group)));
        EXPECT_NE(row, nullptr);
        EXPECT_TRUE(row->createEditor(options));
        return row;
    }

    // Opens the row's editor as a click on its value does.
    QWidget* open(COptionTreeItem* row) {
        tree->setFocusedItem(row);
        tree->layoutRows();
        row->activate();
        QWidget* focus = QApplication::focusWidget();
        EXPECT_NE(focus, nullptr);
        return focus;
    }

    rowtest::Receiver receiver;
    std::unique_ptr<QDialog> dialog;
    COptionTree* tree = nullptr;
    COptionTreeItem* group = nullptr;
    COptionTreeItemEdit* edit = nullptr;
    COptionTreeItemSpinner* spinner = nullptr;
    COptionTreeItemComboBox* combo = nullptr;
    COptionTreeItemCheckBox* check = nullptr;
};

struct KindCase {
    const char* name;
    // Opens the row, changes its value in the editor, and says how to read the value.
    std::function<COptionTreeItem*(EditorKeysTest&)> change;
    std::function<QString(EditorKeysTest&)> value;
    QString before;
    QString after;
};

class EditorKeysKindTest : public EditorKeysTest, public testing::WithParamInterface<KindCase> {};

const KindCase kKinds[] = {
    {"Edit",
     [](EditorKeysTest& t) {
         QTest::keyClicks(t.open(t.edit), "x");
         return t.edit;
     },
     // The value is selected when the editor opens: typing replaces it.
     [](EditorKeysTest& t) { return QString::fromStdU16String(t.edit->text()); }, "%H:%M", "x"},
    {"Spinner",
     [](EditorKeysTest& t) {
         QTest::keyClick(t.open(t.spinner), Qt::Key_Up);
         return t.spinner;
     },
     [](EditorKeysTest& t) { return t.spinner->valueText(); }, "128", "129"},
    {"ComboBox",
     [](EditorKeysTest& t) {
         t.open(t.combo);
         t.combo->comboBox()->setCurrentIndex(1);
         return t.combo;
     },
     [](EditorKeysTest& t) { return QString::fromStdU16String(t.combo->selectedText()); }, "flat",
     "round"},
    {"CheckBox",
     [](EditorKeysTest& t) {
         QTest::keyClick(t.open(t.check), Qt::Key_Space);
         return t.check;
     },
     [](EditorKeysTest& t) { return t.check->isChecked() ? QString("on") : QString("off"); }, "off",
     "on"},
};

TEST_P(EditorKeysKindTest, EscPutsTheValueBackAndLeavesTheDialogOpen) {
    COptionTreeItem* row = GetParam().change(*this);
    ASSERT_EQ(GetParam().value(*this), GetParam().after);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible()) << "Esc reached the dialog";
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_EQ(GetParam().value(*this), GetParam().before);
    EXPECT_FALSE(row->isActivated());
    EXPECT_EQ(receiver.count(kChanged), 0);
    EXPECT_FALSE(row->existingEditor()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), tree->list());
    // Focus moving on afterwards commits nothing of the cancelled edit.
    row->commit();
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_P(EditorKeysKindTest, EnterCommitsTheValueOnce) {
    COptionTreeItem* row = GetParam().change(*this);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_EQ(GetParam().value(*this), GetParam().after);
    EXPECT_FALSE(row->isActivated());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), tree->list());
}

INSTANTIATE_TEST_SUITE_P(Kinds, EditorKeysKindTest, testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorKeysTest, TabCommitsAndOpensTheNextRowShiftTabThePrevious) {
    QTest::keyClicks(open(edit), "a");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(receiver.count(kChanged, edit), 1);
    EXPECT_EQ(QString::fromStdU16String(edit->text()), "a");
    EXPECT_EQ(tree->focusedItem(), spinner);
    EXPECT_TRUE(spinner->isActivated());
    EXPECT_EQ(QApplication::focusWidget(), &spinner->spinner()->edit());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(receiver.count(kChanged, spinner), 1);
    EXPECT_EQ(spinner->number(), 129);
    EXPECT_EQ(tree->focusedItem(), edit);
    EXPECT_TRUE(edit->isActivated());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EditorKeysTest, TypingReplacesTheNumberShown) {
    QTest::keyClicks(open(spinner), "12");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(spinner->number(), 12);
}

TEST_F(EditorKeysTest, TypedNumbersStayInTheRangeAndTheRowShowsTheNumberTaken) {
    QWidget* field = open(spinner);
    auto* line = qobject_cast<QLineEdit*>(field);
    ASSERT_NE(line, nullptr);
    line->selectAll();
    // Letters are refused; a number that can only grow past 255 stops at its last digit.
    QTest::keyClicks(line, "2x99");
    EXPECT_EQ(line->text(), "29");
    line->selectAll();
    QTest::keyClicks(line, "-5");
    EXPECT_EQ(line->text(), "5") << "no sign where the range has no negative numbers";
    // Pasted text passes no key filter: the commit takes the nearest number in range.
    line->setText("300");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(spinner->valueText(), "255");
    EXPECT_EQ(spinner->number(), 255);
}

} // namespace
