// What a screen reader reads and changes in the option tree and its controls, through Qt's
// accessibility interfaces.
#include "optiontree/option_tree_check_button.h"
#include "optiontree/option_tree_color_pop_up.h"
#include "optiontree/option_tree_controls_accessible.h"
#include "optiontree/option_tree_item_check_box.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_row_accessible.h"
#include "optiontree/option_tree_spinner_button.h"
#include "row_test_support.h"

#include <QAccessible>

namespace {

class OptionTreeAccessibleTest : public rowtest::RowTest {
protected:
    void SetUp() override {
        RowTest::SetUp();
        spinner = insert<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kTyping);
        spinner->setLabel(u"Radius");
        spinner->setInfo(u"{\\rtf1 How far the hand \\b reaches\\b0 .}");
        spinner->setLimits(0, 100);
        spinner->setNumber(42);
        check = insert<COptionTreeItemCheckBox>(RowKind::CheckBox, 0);
        check->setLabel(u"Shadow");
        check->setStateTexts("On", "Off");
        combo = insert<COptionTreeItemComboBox>(RowKind::ComboBox, 0);
        combo->setLabel(u"Line cap");
        combo->addEntry(u"Round", 1);
        combo->addEntry(u"Flat", 2);
        combo->selectByPrefix(u"Flat");
        layout();
    }

    QAccessibleInterface* treeInterface() const {
        return QAccessible::queryAccessibleInterface(tree->list());
    }

    COptionTreeItemSpinner* spinner = nullptr;
    COptionTreeItemCheckBox* check = nullptr;
    COptionTreeItemComboBox* combo = nullptr;
};

TEST_F(OptionTreeAccessibleTest, ATreeOfRowsWithNamesValuesAndDescriptions) {
    QAccessibleInterface* list = treeInterface();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::Tree);
    ASSERT_EQ(list->childCount(), 1);
    QAccessibleInterface* groupRow = list->child(0);
    ASSERT_NE(groupRow, nullptr);
    EXPECT_EQ(groupRow->role(), QAccessible::TreeItem);
    EXPECT_EQ(groupRow->text(QAccessible::Name), "Group");
    EXPECT_TRUE(groupRow->state().expandable);
    EXPECT_TRUE(groupRow->state().expanded);
    EXPECT_EQ(list->indexOfChild(groupRow), 0);
    EXPECT_EQ(groupRow->parent(), list);

    ASSERT_EQ(groupRow->childCount(), 3);
    QAccessibleInterface* radius = groupRow->child(0);
    EXPECT_EQ(radius->text(QAccessible::Name), "Radius");
    EXPECT_EQ(radius->text(QAccessible::Value), "42");
    EXPECT_EQ(radius->textInterface()->text(0, -1), "42");
    // Rich-text help reaches the screen reader as plain words.
    EXPECT_EQ(radius->text(QAccessible::Description), "How far the hand reaches.");
    EXPECT_EQ(radius->valueInterface()->maximumValue().toInt(), 100);
    EXPECT_EQ(groupRow->indexOfChild(radius), 0);
    EXPECT_EQ(radius->parent(), groupRow);

    QAccessibleInterface* shadow = groupRow->child(1);
    EXPECT_EQ(shadow->text(QAccessible::Value), "Off");
    EXPECT_TRUE(shadow->state().checkable);
    EXPECT_FALSE(shadow->state().checked);
    EXPECT_EQ(shadow->valueInterface(), nullptr);
    EXPECT_EQ(groupRow->child(2)->text(QAccessible::Value), "Flat");

    // A collapsed group shows no rows, to the eye or to the screen reader.
    groupRow->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(group->isExpanded());
    EXPECT_EQ(groupRow->childCount(), 0);
    EXPECT_EQ(groupRow->indexOfChild(radius), -1);
    EXPECT_TRUE(groupRow->state().collapsed);
}

// The focus events themselves need the platform's bridge; the accessibility check hears them.
TEST_F(OptionTreeAccessibleTest, ArrowKeysMoveTheFocusedRow) {
    tree->list()->setFocus();
    QTest::keyClick(tree->list(), Qt::Key_Down);
    QTest::keyClick(tree->list(), Qt::Key_Down);
    QAccessibleInterface* radius = OptionTreeRowAccessible::of(spinner);
    EXPECT_TRUE(radius->state().focused);
    EXPECT_TRUE(radius->state().selected);
    EXPECT_EQ(treeInterface()->focusChild(), radius);
}

TEST_F(OptionTreeAccessibleTest, EveryKindCanBeChangedWithoutTheMouse) {
    QAccessibleInterface* shadow = OptionTreeRowAccessible::of(check);
    shadow->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(receiver.count(OptionTreeNotify::kItemChanged, check), 1);

    QAccessibleInterface* radius = OptionTreeRowAccessible::of(spinner);
    radius->valueInterface()->setCurrentValue(500);
    EXPECT_EQ(spinner->number(), 100) << "kept in the row's limits";
    EXPECT_EQ(receiver.count(OptionTreeNotify::kItemChanged, spinner), 1);
    radius->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(spinner->number(), 99);
    EXPECT_EQ(receiver.count(OptionTreeNotify::kItemChanged, spinner), 2);

    // Pressing a row opens its editor, named as the row, for the keyboard.
    QAccessibleInterface* cap = OptionTreeRowAccessible::of(combo);
    cap->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_NE(combo->existingEditor(), nullptr);
    EXPECT_TRUE(combo->existingEditor()->isVisible());
    EXPECT_EQ(combo->existingEditor()->accessibleName(), "Line cap");
    EXPECT_EQ(tree->focusedItem(), combo);

    // A read-only row offers nothing to change.
    check->setReadOnly(true);
    EXPECT_FALSE(shadow->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::toggleAction()));
    shadow->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(check->isChecked());
}

TEST_F(OptionTreeAccessibleTest, ARowsInterfaceGoesWithTheRow) {
    QAccessibleInterface* radius = OptionTreeRowAccessible::of(spinner);
    ASSERT_NE(radius, nullptr);
    const QAccessible::Id id = QAccessible::uniqueId(radius);
    EXPECT_EQ(QAccessible::accessibleInterface(id), radius);
    tree->deleteItem(spinner);
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    EXPECT_EQ(OptionTreeRowAccessible::of(group)->childCount(), 2);
    tree->deleteAllItems();
    EXPECT_EQ(treeInterface()->childCount(), 0);
}

TEST(OptionTreeControlsAccessibleTest, CheckButtonSpinnerAndColourPopUpSpeak) {
    QWidget host;
    COptionTreeCheckButton button(&host);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::CheckBox);
    EXPECT_TRUE(box->state().checkable);
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(button.isChecked());
    EXPECT_TRUE(box->state().checked);
    EXPECT_EQ(box->text(QAccessible::Value), button.stateText());

    COptionTreeSpinnerButton spinner(&host);
    spinner.setLimits(-5, 5);
    spinner.setNumber(4);
    QAccessibleInterface* spin = QAccessible::queryAccessibleInterface(&spinner);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->role(), QAccessible::SpinBox);
    ASSERT_NE(spin->valueInterface(), nullptr);
    EXPECT_EQ(spin->valueInterface()->currentValue().toInt(), 4);
    spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(spinner.number(), 5);
    spin->valueInterface()->setCurrentValue(-50);
    EXPECT_EQ(spinner.number(), -5);

    QColor ended;
    auto* popUp = new COptionTreeColorPopUp(Qt::red, Qt::black, QApplication::font(),
                                            [&](ColorPopUpMessage message, QColor color) {
                                                if (message == ColorPopUpMessage::End) {
                                                    ended = color;
                                                }
                                            });
    QPointer<COptionTreeColorPopUp> alive = popUp;
    popUp->popUp(QPoint(10, 10));
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(popUp);
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->childCount(), 42);
    EXPECT_EQ(grid->child(0)->text(QAccessible::Name), COptionTreeColorPopUp::defaultText());
    EXPECT_EQ(grid->child(1)->text(QAccessible::Name), "Black");
    EXPECT_EQ(grid->child(36)->text(QAccessible::Name), "Pale Green");
    EXPECT_EQ(grid->child(41)->text(QAccessible::Name), COptionTreeColorPopUp::customText());
    EXPECT_EQ(grid->indexOfChild(grid->child(17)), 17);
    QTest::keyClick(popUp, Qt::Key_Right);
    ASSERT_NE(grid->focusChild(), nullptr);
    EXPECT_EQ(grid->focusChild(),
              grid->child(ColorPopUpAccessible::indexOfEntry(popUp->highlighted())));
    EXPECT_TRUE(grid->focusChild()->state().selected);
    grid->child(14)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ended, QColor(kPopUpColors[13].rgb));
    QTRY_VERIFY(alive.isNull());
}

} // namespace

namespace {

// Dark and high-contrast desktops: every pixel the tree and its editors paint comes from the
// palette (or is a row's own colour swatch), so none of the light default's colours shows.
class PaletteTest : public rowtest::RowTest, public testing::WithParamInterface<const char*> {};

QPalette paletteNamed(const std::string& name) {
    QPalette palette;
    const bool dark = name == "Dark";
    const QColor face = dark ? QColor(0x30, 0x30, 0x34) : QColor(Qt::black);
    const QColor text = dark ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::yellow);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::Base,
                         dark ? QColor(0x20, 0x20, 0x22) : QColor(Qt::black));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Highlight,
                         dark ? QColor(0x3D, 0x6E, 0xB4) : QColor(Qt::cyan));
        palette.setColor(group, QPalette::HighlightedText, dark ? text : QColor(Qt::black));
        for (QPalette::ColorRole shade : {QPalette::Light, QPalette::Midlight, QPalette::Mid,
                                          QPalette::Dark, QPalette::Shadow}) {
            palette.setColor(group, shade, dark ? QColor(0x50, 0x50, 0x58) : QColor(Qt::white));
        }
    }
    return palette;
}

TEST_P(PaletteTest, TheTreeTakesEveryColourFromThePalette) {
    const QPalette palette = paletteNamed(GetParam());
    tree->setPalette(palette);
    auto* spinner = insert<COptionTreeItemSpinner>(RowKind::Spinner, RowOption::kTyping);
    spinner->setLabel(u"Radius");
    spinner->setNumber(7);
    auto* check = insert<COptionTreeItemCheckBox>(RowKind::CheckBox, RowOption::kFlatCheckBox);
    check->setLabel(u"Shadow");
    check->setChecked(true);
    tree->list()->setFocus();
    QTest::keyClick(tree->list(), Qt::Key_Down);
    layout();
    const QImage shot = tree->grab().toImage();
    if (const QByteArray folder = qgetenv("VELMORA_CHECK_SHOTS"); !folder.isEmpty()) {
        shot.save(QString::fromLocal8Bit(folder) + "/tree-" + GetParam() + ".png");
    }
    // Nothing is brighter than the palette's own colours: white and light greys would be the
    // light default's, hard-coded (the high-contrast palette's own white edges aside).
    const bool highContrast = std::string(GetParam()) == "HighContrast";
    int strays = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            const bool light = c.red() > 0xE8 && c.green() > 0xE8 && c.blue() > 0xE8;
            strays += light && !(highContrast && c == Qt::white);
        }
    }
    EXPECT_EQ(strays, 0) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Desktops, PaletteTest, testing::Values("Dark", "HighContrast"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace

namespace {

// Rows take the tree's colours as they are made, before the tree is shown: a style sheet's
// colours must have reached the tree by then.
TEST(OptionTreeStyleSheetTest, RowsMadeBeforeShowingTakeTheStyleSheetsColours) {
    QWidget dialog;
    dialog.setStyleSheet("QWidget { background-color: #202022; color: #e0e0e0; }");
    COptionTree tree(0, &dialog);
    EXPECT_EQ(tree.windowColor(), 0x202022u);
    EXPECT_EQ(tree.faceColor(), 0x202022u);
}

} // namespace
