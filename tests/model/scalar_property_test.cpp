// The scalar kinds: display texts, payloads and how they fill and read their editor rows.
#include "fake_option_tree.h"
#include "model/bool_property.h"
#include "model/color_property.h"
#include "model/line_cap_property.h"
#include "model/percent_property.h"
#include "model/smoothing_mode_property.h"
#include "model/string_property.h"
#include "model/time_value_property.h"
#include "model/time_zone_property.h"

#include <gtest/gtest.h>

namespace {

template <class T> std::unique_ptr<T> roundTrip(const T& property) {
    MemoryByteStream stream;
    ObjectOStreamStd out(stream);
    property.write(out);
    MemoryByteStream in(stream.bytes());
    ObjectIStreamStd reader(in);
    auto back = std::make_unique<T>();
    back->read(reader);
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(in.remaining(), 0u);
    return back;
}

TEST(ScalarPropertyTest, ValueTexts) {
    EXPECT_EQ(IntProperty(u"I", 0, INT32_MIN).valueText(), u"-2147483648");
    EXPECT_EQ(IntProperty(u"I", 0, 2147483647).valueText(), u"2147483647");
    EXPECT_EQ(PercentProperty(u"P", 0, -15).valueText(), u"-15");
    EXPECT_EQ(BoolProperty(u"B", 0, true).valueText(), u"On");
    EXPECT_EQ(BoolProperty(u"B", 0, false).valueText(), u"Off");
    EXPECT_EQ(ColorProperty(u"C", 0, 0xFFFFFFFF).valueText(), u"");
    EXPECT_EQ(StringProperty(u"S", 0, u"x").valueText(), u"x");
    // Choices are filled only for the editor; until then the text is empty.
    LineCapProperty cap(u"EndCap", 26, LineCap::Round);
    EXPECT_EQ(cap.valueText(), u"");
    cap.fillChoices();
    EXPECT_EQ(cap.valueText(), u"round");
    cap.setValue(7);
    EXPECT_EQ(cap.valueText(), u"");
}

TEST(ScalarPropertyTest, PayloadsRoundTripIncludingOutOfRangeValues) {
    PercentProperty percent(u"End", 24, 150);
    EXPECT_EQ(roundTrip(percent)->value(), 150);
    BoolProperty flag(u"CountDown", 33, false);
    flag.setValue(7);
    EXPECT_EQ(roundTrip(flag)->value(), 7);
    StringProperty text(u"Fmt", 55, u"%H:%M \U0001F600");
    EXPECT_EQ(roundTrip(text)->value(), text.value());
    TimeValueProperty kind(u"TimeValue", 28, 99);
    EXPECT_EQ(roundTrip(kind)->value(), 99);
    EXPECT_EQ(roundTrip(kind)->label(), u"time value");
}

TEST(ScalarPropertyTest, ChoiceListsInTheirOrder) {
    LineCapProperty cap;
    cap.fillChoices();
    std::vector<std::u16string> labels;
    for (const auto& [value, label] : cap.choices()) {
        labels.push_back(label);
    }
    EXPECT_EQ(labels, (std::vector<std::u16string>{u"flat", u"square", u"round", u"triangle",
                                                   u"no anchor", u"square anchor", u"round anchor",
                                                   u"diamond anchor", u"arrow anchor"}));
    SmoothingModeProperty smoothing;
    smoothing.fillChoices();
    ASSERT_EQ(smoothing.choices().size(), 2u);
    EXPECT_EQ(smoothing.choices()[0].second, u"high Speed (lower quality)");
    EXPECT_EQ(smoothing.choices()[1].second, u"high Quality (lower speed)");

    TimeValueProperty timeValue;
    timeValue.fillChoices();
    std::vector<std::int32_t> kinds;
    for (const auto& [value, label] : timeValue.choices()) {
        kinds.push_back(value);
    }
    EXPECT_EQ(kinds, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 121,
                                                122, 123, 128}));
    EXPECT_EQ(timeValue.choices().back().second, u"CPU #0 performance (%)");
    EXPECT_EQ(timeValue.choices()[9].second, u"day of week  (0..6=Sunday,M,T,W,T,F,S)");

    TimeZoneProperty zone;
    zone.fillChoices();
    EXPECT_EQ(zone.choices().front().second, u"(Local machine time zone)");
    EXPECT_EQ(zone.choices().back().second, u"(User set time zone 4)");
}

TEST(ScalarPropertyTest, ClonesKeepClassValueAndChoices) {
    SmoothingModeProperty smoothing(u"SmoothingMode", 40, 1);
    smoothing.fillChoices();
    std::unique_ptr<Property> copy = smoothing.clone();
    EXPECT_TRUE(copy->isKindOf("SmoothingModeProperty"));
    EXPECT_EQ(copy->valueText(), u"high Speed (lower quality)");
    EXPECT_EQ(copy->label(), u"smoothing Mode");
    EXPECT_EQ(static_cast<IntProperty&>(*copy).value(), 1);
}

TEST(ScalarPropertyTest, SpinnersShowRangesAndCommitTheLeadingNumber) {
    FakeTree tree;
    IntProperty integer(u"I", 0, -5);
    auto* row = static_cast<FakeRow*>(integer.createItem(tree, nullptr));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->kind(), RowKind::Spinner);
    EXPECT_EQ(row->editorOptions, 0x40400u);
    EXPECT_EQ(row->lower, -2147483648.0);
    EXPECT_EQ(row->upper, 2147483647.0);
    row->typeText(u"12abc");
    integer.commitItem();
    EXPECT_EQ(integer.value(), 12);
    EXPECT_EQ(row->text(), u"12") << "the row shows the number taken, not the text typed";
    row->typeText(u"x");
    integer.commitItem();
    EXPECT_EQ(integer.value(), 0);

    PercentProperty percent(u"End", 24, 80);
    auto* percentRow = static_cast<FakeRow*>(percent.createItem(tree, nullptr));
    EXPECT_EQ(percentRow->lower, -100.0);
    EXPECT_EQ(percentRow->upper, 100.0);
    EXPECT_EQ(percentRow->label, u"end radius (%)");

    percent.forgetItem();
    percentRow->typeText(u"3");
    percent.commitItem();
    EXPECT_EQ(percent.value(), 80);
}

TEST(ScalarPropertyTest, CheckBoxCommitsOneOrZero) {
    FakeTree tree;
    BoolProperty flag(u"FontBold", 65, false);
    flag.setValue(7);
    auto* row = static_cast<FakeRow*>(flag.createItem(tree, nullptr));
    EXPECT_TRUE(row->checked);
    EXPECT_EQ(row->editorOptions, 0x400u);
    flag.commitItem();
    EXPECT_EQ(flag.value(), 1);
    row->checked = false;
    flag.commitItem();
    EXPECT_EQ(flag.value(), 0);
}

TEST(ScalarPropertyTest, ComboBoxListsChoicesAndSelectsTheCurrentOne) {
    FakeTree tree;
    LineCapProperty cap(u"BeginCap", 25, LineCap::DiamondAnchor);
    auto* row = static_cast<FakeRow*>(cap.createItem(tree, nullptr));
    ASSERT_EQ(row->entries.size(), 9u);
    EXPECT_EQ(row->selectedData(), 19);
    row->selected = 2;
    cap.commitItem();
    EXPECT_EQ(cap.value(), 2);
    row->selected = -1;
    cap.commitItem();
    EXPECT_EQ(cap.value(), 2);

    // A stored value without a choice selects nothing and survives applying the editor.
    TimeValueProperty odd(u"TimeValue", 28, 99);
    auto* oddRow = static_cast<FakeRow*>(odd.createItem(tree, nullptr));
    EXPECT_EQ(oddRow->selected, -1);
    odd.commitItem();
    EXPECT_EQ(odd.value(), 99);
    oddRow->selected = 0;
    odd.commitItem();
    EXPECT_EQ(odd.value(), 0);
}

TEST(ScalarPropertyTest, ColorMakesAColourRowAndAnOpacitySpinner) {
    FakeTree tree;
    FakeRow* parent = static_cast<FakeRow*>(tree.insertRow(RowKind::Plain, nullptr));
    ColorProperty color(u"Color", 22, 0x80FF0000);
    auto* opacity = static_cast<FakeRow*>(color.createItem(tree, parent));
    ASSERT_NE(opacity, nullptr);
    std::vector<FakeRow*> rows = tree.childrenOf(parent);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->kind(), RowKind::Color);
    EXPECT_EQ(rows[0]->colorValue, 0xFF0000u);
    EXPECT_EQ(rows[0]->automaticColor, 0u);
    EXPECT_EQ(rows[0]->label, u"color");
    EXPECT_EQ(opacity, rows[1]);
    EXPECT_EQ(opacity->number(), 128);
    EXPECT_EQ(opacity->label, u"opacity");
    EXPECT_EQ(opacity->upper, 255.0);

    opacity->typeText(u"255");
    color.commitItem();
    EXPECT_EQ(color.argb(), 0xFFFF0000u);
    rows[0]->colorValue = 0x00FF00;
    // A typed opacity past a limit means that limit, not the number's low byte (256 would be
    // invisible).
    opacity->typeText(u"256");
    color.commitItem();
    EXPECT_EQ(color.argb(), 0xFF00FF00u);
    EXPECT_EQ(opacity->number(), 255);
    opacity->typeText(u"-1");
    color.commitItem();
    EXPECT_EQ(color.argb(), 0x0000FF00u);
}

TEST(ScalarPropertyTest, EditRowAndFailedRows) {
    FakeTree tree;
    StringProperty text(u"AuthorInfo", 67, u"me");
    auto* row = static_cast<FakeRow*>(text.createItem(tree, nullptr));
    EXPECT_EQ(row->text(), u"me");
    row->typeText(u"you");
    text.commitItem();
    EXPECT_EQ(text.value(), u"you");

    tree.failNextEditor = true;
    IntProperty integer(u"I", 0, 3);
    EXPECT_EQ(integer.createItem(tree, nullptr), nullptr);
    integer.commitItem();
    EXPECT_EQ(integer.value(), 3);
}

} // namespace
