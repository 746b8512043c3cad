// The colour row: its text and swatch, opening the pop-up by mouse and keys, what each pop-up
// message does to the value and the commits, and a colour property edited through it.
#include "model/color_property.h"
#include "optiontree/option_tree_item_color.h"
#include "row_test_support.h"

#include <QImage>

namespace {

using rowtest::RowTest;
using Layout = ColorPopUpLayout;
constexpr int kChanged = OptionTreeNotify::kItemChanged;

void deleteLaterNow() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ColorRowTest : public RowTest {
protected:
    COptionTreeItemColor* insertColor(std::uint32_t options, std::uint32_t rgb) {
        auto* row = insert<COptionTreeItemColor>(RowKind::Color, options);
        if (row != nullptr) {
            row->setColor(rgb);
        }
        return row;
    }

    // One click on the value opens the editor and, as the button is released, the pop-up.
    COptionTreeColorPopUp* openByMouse(COptionTreeItemColor* row) {
        clickValue(row);
        QWidget* editor = row->editorWidget();
        if (editor == nullptr || !editor->isVisible()) {
            return nullptr;
        }
        return row->popUp();
    }

    QPoint centre(COptionTreeColorPopUp* popUp, int entry) const {
        return popUp->layout().entryRect(entry).center();
    }
};

TEST_F(ColorRowTest, ShowsRgbNumbersOrHexDigitsInRedGreenBlueOrder) {
    auto* row = insertColor(0, 0xFF6820);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->valueText(), "RGB (255, 104, 32)");
    EXPECT_EQ(row->color(), 0xFF6820u);

    auto* hex = insertColor(ColorRowOption::kHexText, 0x00005E);
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(hex->valueText(), "#00005E");
    // Alpha bits are not part of the row's colour.
    hex->setColor(0xAB123456);
    EXPECT_EQ(hex->color(), 0x123456u);
}

TEST_F(ColorRowTest, MakesItsEditorOnceAndOnlyInATree) {
    COptionTreeItemColor loose;
    EXPECT_FALSE(loose.createEditor(0));
    loose.setColor(0x010203);
    EXPECT_EQ(loose.color(), 0x010203u);

    auto* row = insertColor(0, 0);
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->createEditor(0));
    ASSERT_NE(row->editorWidget(), nullptr);
    EXPECT_FALSE(row->editorWidget()->isVisible());
    EXPECT_EQ(row->editorWidget()->parentWidget(), viewport());
}

TEST_F(ColorRowTest, DrawsTheSwatchInTheValueColumnWhileNotEditing) {
    auto* row = insertColor(0, 0x3CB371);
    ASSERT_NE(row, nullptr);
    layout();
    const QImage image = viewport()->grab().toImage();
    const QRect value = row->valueRect();
    const QPoint inSwatch = value.topLeft() + QPoint(8, 10);
    const qreal ratio = image.devicePixelRatio();
    EXPECT_EQ(image.pixelColor((inSwatch * ratio)).rgb(), QColor(0x3CB371).rgb());
}

TEST_F(ColorRowTest, PickingWithTheMouseTakesTheColourAndCommitsOnce) {
    auto* row = insertColor(0, 0xFF0000);
    ASSERT_NE(row, nullptr);
    COptionTreeColorPopUp* popUp = openByMouse(row);
    ASSERT_NE(popUp, nullptr);
    EXPECT_TRUE(popUp->isVisible());
    EXPECT_EQ(popUp->highlighted(), 16);

    // Without the live option a highlight leaves the value alone.
    QTest::mouseMove(popUp, centre(popUp, 13));
    EXPECT_EQ(row->color(), 0xFF0000u);
    QTest::mouseClick(popUp, Qt::LeftButton, {}, centre(popUp, 13));
    EXPECT_EQ(row->color(), 0x0000FFu);
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_FALSE(row->editorWidget()->isVisible());

    // The focus leaving afterwards does not commit again.
    clickElsewhere();
    deleteLaterNow();
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    EXPECT_EQ(row->popUp(), nullptr);
}

TEST_F(ColorRowTest, TheKeyboardOpensThePopUpAndEnterEndsWithTheHighlightedEntry) {
    auto* row = insertColor(0, 0x000000);
    ASSERT_NE(row, nullptr);
    tree->setFocusedItem(row);
    tree->list()->setFocus();
    // Enter on the row opens the editor and the pop-up at once.
    QTest::keyClick(tree->list(), Qt::Key_Return);
    QWidget* editor = row->editorWidget();
    ASSERT_TRUE(editor->isVisible());
    ASSERT_TRUE(editor->hasFocus());
    COptionTreeColorPopUp* popUp = row->popUp();
    ASSERT_NE(popUp, nullptr);
    // The pop-up opens under the editor.
    EXPECT_EQ(popUp->geometry().topLeft(),
              editor->mapToGlobal(editor->rect().bottomLeft() + QPoint(0, 1)));
    EXPECT_EQ(popUp->highlighted(), 0);
    QTest::keyClick(popUp, Qt::Key_Down);
    QTest::keyClick(popUp, Qt::Key_Return);
    EXPECT_EQ(row->color(), 0x8B0000u);
    EXPECT_EQ(receiver.count(kChanged, row), 1);
}

TEST_F(ColorRowTest, MoreColorsThenCancelLeavesTheColourAndTheEditorOpen) {
    auto* row = insertColor(0, 0x123456);
    ASSERT_NE(row, nullptr);
    int dialogs = 0;
    row->setColorDialog([&](const QColor& initial, QWidget* parent) -> std::optional<QColor> {
        ++dialogs;
        EXPECT_EQ(initial, QColor(0x123456));
        EXPECT_EQ(parent, tree.get());
        return std::nullopt;
    });
    COptionTreeColorPopUp* popUp = openByMouse(row);
    ASSERT_NE(popUp, nullptr);
    EXPECT_EQ(popUp->highlighted(), Layout::kNoEntry);
    QTest::mouseClick(popUp, Qt::LeftButton, {}, centre(popUp, Layout::kCustomEntry));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(row->color(), 0x123456u);
    EXPECT_EQ(receiver.count(kChanged), 0);
    EXPECT_TRUE(row->editorWidget()->isVisible());

    // Choosing again through the dialog ends the edit with its colour.
    row->setColorDialog(
        [](const QColor&, QWidget*) -> std::optional<QColor> { return QColor(0xAB, 0xCD, 0xEF); });
    deleteLaterNow();
    QTest::keyClick(row->editorWidget(), Qt::Key_F4);
    ASSERT_NE(row->popUp(), nullptr);
    QTest::mouseClick(row->popUp(), Qt::LeftButton, {}, centre(row->popUp(), Layout::kCustomEntry));
    EXPECT_EQ(row->color(), 0xABCDEFu);
    EXPECT_EQ(receiver.count(kChanged, row), 1);
}

TEST_F(ColorRowTest, LivePreviewFollowsTheHighlightAndACancelRestoresTheColour) {
    auto* row = insertColor(ColorRowOption::kLivePreview, 0xFF0000);
    ASSERT_NE(row, nullptr);
    COptionTreeColorPopUp* popUp = openByMouse(row);
    ASSERT_NE(popUp, nullptr);
    QTest::keyClick(popUp, Qt::Key_Right);
    EXPECT_EQ(row->color(), 0xFFAD5Bu);
    QTest::keyClick(popUp, Qt::Key_Escape);
    EXPECT_EQ(row->color(), 0xFF0000u);
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_F(ColorRowTest, ASetColourMessageTakesTheColourWithoutCommitting) {
    auto* row = insertColor(0, 0);
    ASSERT_NE(row, nullptr);
    row->popUpMessage(ColorPopUpMessage::SetColor, QColor(9, 8, 7));
    EXPECT_EQ(row->color(), 0x090807u);
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_F(ColorRowTest, DeletingTheRowWithItsPopUpOpenClosesThePopUpSilently) {
    auto* row = insertColor(0, 0xFF0000);
    ASSERT_NE(row, nullptr);
    QPointer<COptionTreeColorPopUp> popUp = openByMouse(row);
    ASSERT_FALSE(popUp.isNull());
    tree->deleteItem(row);
    EXPECT_FALSE(popUp->isVisible());
    QTest::keyClick(popUp, Qt::Key_Return);
    deleteLaterNow();
    EXPECT_TRUE(popUp.isNull());
    EXPECT_EQ(receiver.count(kChanged), 0);
}

TEST_F(ColorRowTest, AColourPropertyTakesTheColourPickedInItsRowAndKeepsItsAlpha) {
    ColorProperty property(u"HandColor", 0, 0x80FF0000);
    property.createItem(*tree, group);
    auto* row = dynamic_cast<COptionTreeItemColor*>(group->firstChild());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->color(), 0xFF0000u);
    EXPECT_EQ(row->automaticColor(), 0u);

    COptionTreeColorPopUp* popUp = openByMouse(row);
    ASSERT_NE(popUp, nullptr);
    QTest::mouseClick(popUp, Qt::LeftButton, {}, centre(popUp, 19));
    EXPECT_EQ(receiver.count(kChanged, row), 1);
    property.commitItem();
    EXPECT_EQ(property.argb(), 0x803CB371u);
}

} // namespace
