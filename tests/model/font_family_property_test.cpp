// The font family property: chosen and stored by name against the installed list.
#include "fake_option_tree.h"
#include "model/font_family_list.h"
#include "model/font_family_property.h"

#include <gtest/gtest.h>

namespace {

class FontFamilyPropertyTest : public testing::Test {
protected:
    void SetUp() override {
        FontFamilyList::resetForTesting();
        FontFamilyList::setSource([] {
            return std::vector<std::u16string>{u"Arial",  u"Courier", u"DejaVu Sans", u"Georgia",
                                               u"Impact", u"Serif",   u"Tahoma",      u"Verdana"};
        });
    }
    void TearDown() override { FontFamilyList::resetForTesting(); }
};

TEST_F(FontFamilyPropertyTest, SelectsByExactNameAndKeepsUnknownNames) {
    FontFamilyProperty tahoma(u"FontFamily", 63, u"Tahoma");
    EXPECT_EQ(tahoma.value(), 6);
    EXPECT_EQ(tahoma.valueText(), u"");
    FontFamilyProperty unknown(u"FontFamily", 63, u"tahoma");
    EXPECT_EQ(unknown.value(), 8) << "just past the installed families";
    EXPECT_EQ(unknown.familyName(), u"tahoma");
    // The list was asked for once, by the first property.
    EXPECT_EQ(FontFamilyList::queryCount(), 1);

    FakeTree tree;
    auto* row = static_cast<FakeRow*>(tahoma.createItem(tree, nullptr));
    EXPECT_EQ(row->entries.size(), 8u);
    EXPECT_EQ(row->selectedText(), u"Tahoma");
    EXPECT_EQ(tahoma.valueText(), u"Tahoma");
    row->selected = 1;
    tahoma.commitItem();
    EXPECT_EQ(tahoma.familyName(), u"Courier");
    row->selected = -1;
    tahoma.commitItem();
    EXPECT_EQ(tahoma.familyName(), u"Courier");
    EXPECT_EQ(tahoma.value(), 1);
}

TEST_F(FontFamilyPropertyTest, StoresTheNameNotTheIndex) {
    FontFamilyProperty missing(u"FontFamily", 63, u"Not Installed");
    MemoryByteStream stream;
    ObjectOStreamStd out(stream);
    missing.write(out);
    MemoryByteStream in(stream.bytes());
    ObjectIStreamStd reader(in);
    FontFamilyProperty back;
    back.read(reader);
    EXPECT_EQ(back.familyName(), u"Not Installed");
    EXPECT_EQ(back.value(), 8);
    EXPECT_EQ(in.remaining(), 0u);
    std::unique_ptr<Property> copy = missing.clone();
    EXPECT_EQ(static_cast<FontFamilyProperty&>(*copy).familyName(), u"Not Installed");
}

TEST_F(FontFamilyPropertyTest, AFamilyNotInstalledIsListedAsMissingAndKeptUntilAnotherIsPicked) {
    FontFamilyProperty missing(u"FontFamily", 63, u"Frutiger");
    FakeTree tree;
    auto* row = static_cast<FakeRow*>(missing.createItem(tree, nullptr));
    ASSERT_EQ(row->entries.size(), 9u);
    EXPECT_EQ(row->entries.back().first, u"Frutiger (not installed)");
    EXPECT_EQ(row->selectedText(), u"Frutiger (not installed)");
    // Any other row's commit applies every row: the family must come through untouched.
    missing.commitItem();
    missing.commitItem();
    EXPECT_EQ(missing.familyName(), u"Frutiger");
    row->selected = 3;
    missing.commitItem();
    EXPECT_EQ(missing.familyName(), u"Georgia");
    // Shown again, the missing entry is gone with the family it stood for.
    missing.forgetItem();
    row = static_cast<FakeRow*>(missing.createItem(tree, nullptr));
    EXPECT_EQ(row->entries.size(), 8u);
    EXPECT_EQ(row->selectedText(), u"Georgia");
}

TEST_F(FontFamilyPropertyTest, AFamilyStoredWithItsFoundryKeepsItsName) {
    FontFamilyProperty tagged(u"FontFamily", 63, u"Georgia [URW]");
    EXPECT_EQ(tagged.value(), 3);
    FakeTree tree;
    tagged.createItem(tree, nullptr);
    tagged.commitItem();
    EXPECT_EQ(tagged.familyName(), u"Georgia [URW]");
}

TEST_F(FontFamilyPropertyTest, ListIsCappedAndRetriedWhileEmpty) {
    FontFamilyList::resetForTesting();
    int calls = 0;
    FontFamilyList::setSource([&calls] {
        return ++calls == 1 ? std::vector<std::u16string>{}
                            : std::vector<std::u16string>(1500, u"Family");
    });
    EXPECT_TRUE(FontFamilyList::families().empty());
    EXPECT_EQ(FontFamilyList::families().size(), FontFamilyList::kCapacity);
    FontFamilyList::families();
    EXPECT_EQ(calls, 2);
}

} // namespace
