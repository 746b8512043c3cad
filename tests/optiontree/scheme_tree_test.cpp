// The option tree filled from the built-in scheme: its rows, edits applied to the scheme, and
// its look against reference images at 1x and 2x.
#include "clock/class_registration.h"
#include "clock/clock_text.h"
#include "model/color_property.h"
#include "model/font_family_list.h"
#include "model/font_family_property.h"
#include "model/percent_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"
#include "optiontree/option_tree.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_edit.h"
#include "optiontree/option_tree_item_spinner.h"
#include "optiontree/option_tree_list.h"
#include "optiontree/option_tree_spinner_button.h"
#include "optiontree/option_tree_spinner_edit.h"
#include "resources/default_scheme.h"
#include "tests/pixel_compare.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

int countRows(const COptionTreeItem* item) {
    int count = 0;
    for (const COptionTreeItem* child = item->firstChild(); child != nullptr;
         child = child->nextSibling()) {
        count += 1 + countRows(child);
    }
    return count;
}

std::vector<COptionTreeItem*> childrenOf(const COptionTreeItem* item) {
    std::vector<COptionTreeItem*> rows;
    for (COptionTreeItem* child = item->firstChild(); child != nullptr;
         child = child->nextSibling()) {
        rows.push_back(child);
    }
    return rows;
}

class SchemeTreeTest : public testing::Test {
protected:
    void SetUp() override {
        // The reference images are drawn in this font and palette.
        QFont font(QStringLiteral("DejaVu Sans"), 9);
        QApplication::setFont(font);
        QApplication::setFont(font, "QMenu");
        QApplication::setPalette(QApplication::style()->standardPalette());
        registerSchemeClasses();
        FontFamilyList::setSource([] {
            std::vector<std::u16string> names;
            for (const QString& family : QFontDatabase::families()) {
                names.push_back(family.toStdU16String());
            }
            return names;
        });
        clock_ = readDefaultScheme();
        ASSERT_NE(clock_, nullptr);
        tree_.resize(400, 520);
        tree_.setColumnPosition(160);
        tree_.show();
        tree_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&tree_));
    }
    void TearDown() override {
        clock_->forgetItem();
        tree_.deleteAllItems(false);
    }
    void fill() {
        clock_->saveItemState();
        clock_->forgetItem();
        tree_.deleteAllItems(false);
        clock_->createItem(tree_, tree_.rootItem());
        body()->setExpanded(true);
        tree_.updateScrollRange();
        tree_.layoutRows();
    }
    COptionTreeItem* body() const { return tree_.rootItem()->firstChild(); }
    // The group row of the element at position index of the clock's list.
    COptionTreeItem* elementRow(std::size_t index) const {
        return static_cast<COptionTreeItem*>(clock_->children()[index]->item());
    }
    COptionTreeItem* rowLabelled(const COptionTreeItem* group, const QString& label) const {
        for (COptionTreeItem* row : childrenOf(group)) {
            if (row->labelText() == label) {
                return row;
            }
        }
        return nullptr;
    }
    // Opens the row's editor with a click into its value column.
    void open(COptionTreeItem* row) {
        tree_.ensureVisible(row);
        tree_.layoutRows();
        QPoint point(row->valueRect().left() + 20, row->location().y() + row->height() / 2);
        QTest::mouseClick(tree_.list()->viewport(), Qt::LeftButton, {}, point);
        ASSERT_TRUE(row->isActivated());
    }
    // A click on another row's label moves the focus inside the tree, which commits.
    void clickLabelOf(COptionTreeItem* row) {
        tree_.ensureVisible(row);
        tree_.layoutRows();
        QTest::mouseClick(tree_.list()->viewport(), Qt::LeftButton, {},
                          QPoint(40, row->location().y() + row->height() / 2));
    }

    COptionTree tree_{0x1B};
    std::unique_ptr<Clock> clock_;
};

TEST_F(SchemeTreeTest, TheBuiltInSchemeFillsOneBodyRowWithItsElements) {
    fill();
    EXPECT_EQ(childrenOf(tree_.rootItem()).size(), 1u);
    // Five body properties, then nine hands; every hand shows eleven rows: its ten
    // properties and the opacity row after its colour.
    std::vector<COptionTreeItem*> rows = childrenOf(body());
    ASSERT_EQ(rows.size(), 5u + 9u);
    for (std::size_t i = 5; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i]->hasChildren());
        EXPECT_EQ(childrenOf(rows[i]).size(), 11u);
        EXPECT_TRUE(rows[i]->labelText().startsWith(QStringLiteral("hand"))) << i;
    }
    EXPECT_EQ(countRows(tree_.rootItem()), 1 + 5 + 9 * 12);
    EXPECT_EQ(childrenOf(rows[5])[0]->kind(), RowKind::Color);
    EXPECT_EQ(childrenOf(rows[5])[1]->kind(), RowKind::Spinner);
}

TEST_F(SchemeTreeTest, RebuildingKeepsGroupsExpandedAndMarked) {
    fill();
    COptionTreeItem* hand = elementRow(6);
    hand->setExpanded(true);
    hand->setMarked(true);
    fill();
    EXPECT_TRUE(elementRow(6)->isExpanded());
    EXPECT_TRUE(elementRow(6)->isMarked());
    EXPECT_FALSE(elementRow(5)->isExpanded());
}

TEST_F(SchemeTreeTest, EditsThroughTheRowsChangeTheSchemeExactly) {
    clock_->append(std::make_unique<ClockText>());
    const std::size_t textIndex = clock_->children().size() - 1;
    fill();
    auto* hand = static_cast<PropertyMap*>(clock_->children()[7].get());
    COptionTreeItem* handRow = elementRow(7);
    handRow->setExpanded(true);
    elementRow(textIndex)->setExpanded(true);
    tree_.updateScrollRange();

    // A colour, as the pop-up ends with it; its opacity through the spinner's keys.
    std::vector<COptionTreeItem*> rows = childrenOf(handRow);
    rows[0]->setColor(0x3CB371);
    rows[0]->commit();
    open(rows[1]);
    auto* opacity = static_cast<COptionTreeItemSpinner*>(rows[1]);
    QLineEdit& opacityEdit = opacity->spinner()->edit();
    opacityEdit.selectAll();
    QTest::keyClicks(&opacityEdit, QStringLiteral("128"));
    QTest::keyClick(&opacityEdit, Qt::Key_Down);
    clickLabelOf(rows[0]);
    EXPECT_FALSE(opacity->isActivated());

    // A percent, typed.
    auto* end = static_cast<COptionTreeItemSpinner*>(rows[3]);
    open(end);
    end->spinner()->edit().selectAll();
    QTest::keyClicks(&end->spinner()->edit(), QStringLiteral("-42"));
    clickLabelOf(rows[0]);

    // A time value, chosen in the drop-down list.
    auto* timeValue = static_cast<COptionTreeItemComboBox*>(rows[5]);
    open(timeValue);
    QComboBox* combo = timeValue->comboBox();
    const int hourIndex = combo->findText(QStringLiteral("24 hours (continuous)"));
    ASSERT_GE(hourIndex, 0);
    combo->setCurrentIndex(hourIndex);
    clickLabelOf(rows[0]);

    // A font family and a format string on the text.
    std::vector<COptionTreeItem*> textRows = childrenOf(elementRow(textIndex));
    COptionTreeItem* familyRow = nullptr;
    COptionTreeItem* formatRow = nullptr;
    for (COptionTreeItem* row : textRows) {
        if (row->kind() == RowKind::ComboBox && familyRow == nullptr &&
            static_cast<COptionTreeItemComboBox*>(row)->comboBox()->findText(
                QStringLiteral("DejaVu Sans")) >= 0) {
            familyRow = row;
        }
        if (row->kind() == RowKind::Edit) {
            formatRow = row;
        }
    }
    ASSERT_NE(familyRow, nullptr);
    ASSERT_NE(formatRow, nullptr);
    open(familyRow);
    auto* families = static_cast<COptionTreeItemComboBox*>(familyRow)->comboBox();
    families->setCurrentIndex(families->findText(QStringLiteral("DejaVu Sans")));
    clickLabelOf(textRows[0]);
    open(formatRow);
    QLineEdit* format = static_cast<COptionTreeItemEdit*>(formatRow)->lineEdit();
    format->selectAll();
    QTest::keyClicks(format, QStringLiteral("%H:%M "));
    format->insert(QStringLiteral("\u00e9"));
    QTest::keyClick(format, Qt::Key_Return);
    EXPECT_FALSE(formatRow->isActivated());

    clock_->commitItem();
    EXPECT_EQ(hand->findChildAs<ColorProperty>(u"Color")->argb(), 0x7F3CB371u);
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"End")->value(), -42);
    EXPECT_EQ(hand->findChildAs<TimeValueProperty>(u"TimeValue")->value(),
              storedKind(velmora::TimeValueKind::Hours24Continuous));
    auto* text = static_cast<PropertyMap*>(clock_->children()[textIndex].get());
    EXPECT_EQ(text->findChildAs<FontFamilyProperty>(u"FontFamily")->valueText(), u"DejaVu Sans");
    EXPECT_EQ(text->findChildAs<StringProperty>(u"Fmt")->value(), u"%H:%M \u00e9");
    // The other hands are untouched.
    auto* other = static_cast<PropertyMap*>(clock_->children()[6].get());
    EXPECT_EQ(other->findChildAs<PercentProperty>(u"End")->value(), 78);
}

// The tree as a user sees it: the built-in scheme with one hand open and focused.
QImage snapshot(COptionTree& tree, qreal ratio) {
    QImage image(tree.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    tree.render(&image);
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_ARGB32);
}

class SchemeTreeLookTest : public SchemeTreeTest, public testing::WithParamInterface<int> {};

// Regenerate with VELMORA_UPDATE_GOLDENS=1 after a deliberate change of the look.
TEST_P(SchemeTreeLookTest, MatchesTheReferenceImage) {
    // The fonts of the reference images; elsewhere the text would differ by design.
    if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) {
        GTEST_SKIP() << "the reference images use DejaVu Sans";
    }
    fill();
    elementRow(5)->setExpanded(true);
    tree_.updateScrollRange();
    COptionTreeItem* color = elementRow(5)->firstChild();
    tree_.selectItems(nullptr, false);
    color->setMarked(true);
    tree_.setFocusedItem(color);
    tree_.layoutRows();

    const int ratio = GetParam();
    QImage image = snapshot(tree_, ratio);
    const QString name =
        QStringLiteral(VELMORA_SOURCE_DIR "/tests/data/golden/option_tree_%1x.png").arg(ratio);
    if (std::getenv("VELMORA_UPDATE_GOLDENS") != nullptr) {
        ASSERT_TRUE(image.save(name));
    }
    QImage golden(name);
    ASSERT_FALSE(golden.isNull()) << name.toStdString();
    golden = golden.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(golden.size(), image.size());
    EXPECT_LT(differentPixels(image, golden, 24), image.width() * image.height() / 200)
        << "compare with " << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Ratios, SchemeTreeLookTest, testing::Values(1, 2),
                         [](const testing::TestParamInfo<int>& info) {
                             return "x" + std::to_string(info.param);
                         });

} // namespace
