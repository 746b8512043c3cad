// The property map: ownership, order, lookup, reading over old content and the editor rows.
#include "clock/class_registration.h"
#include "fake_option_tree.h"
#include "model/class_registry.h"
#include "model/int_property.h"
#include "model/percent_property.h"
#include "model/property_map.h"
#include "model/string_property.h"
#include "model/string_table.h"

#include <gtest/gtest.h>

namespace {

// A concrete map for the tests; the clock classes are the product's maps.
class TestMap : public PropertyMap {
public:
    using PropertyMap::PropertyMap;
    std::u16string valueText() const override { return u"test map"; }
    std::unique_ptr<Property> clone() const override {
        return std::unique_ptr<Property>(new TestMap(*this));
    }
    TestMap(const TestMap& other) = default;
};

std::vector<std::u16string> names(const PropertyMap& map) {
    std::vector<std::u16string> result;
    for (const auto& child : map.children()) {
        result.push_back(child->name());
    }
    return result;
}

std::unique_ptr<TestMap> abc() {
    auto map = std::make_unique<TestMap>(u"Map", 0);
    map->append(std::make_unique<IntProperty>(u"A", 0, 1));
    map->append(std::make_unique<IntProperty>(u"B", 0, 2));
    map->append(std::make_unique<IntProperty>(u"C", 0, 3));
    return map;
}

TEST(PropertyMapTest, ReordersAndRemovesByIdentity) {
    auto owned = abc();
    TestMap& map = *owned;
    Property* b = map.findChild(u"B");
    Property* c = map.findChild(u"C");
    map.moveChildUp(b);
    EXPECT_EQ(names(map), (std::vector<std::u16string>{u"B", u"A", u"C"}));
    map.moveChildDown(b);
    EXPECT_EQ(names(map), (std::vector<std::u16string>{u"A", u"B", u"C"}));
    map.moveChildUp(map.findChild(u"A"));
    map.moveChildDown(c);
    EXPECT_EQ(names(map), (std::vector<std::u16string>{u"A", u"B", u"C"}));

    map.insertChildAfter(b, std::make_unique<IntProperty>(u"D", 0, 4));
    EXPECT_EQ(names(map), (std::vector<std::u16string>{u"A", u"B", u"D", u"C"}));
    EXPECT_EQ(map.findChild(u"D")->parent(), &map);

    std::unique_ptr<Property> removed = map.removeChild(b);
    ASSERT_EQ(removed.get(), b);
    EXPECT_EQ(removed->parent(), nullptr);
    EXPECT_EQ(map.removeChild(b), nullptr);
    IntProperty stranger(u"A", 0, 9);
    EXPECT_EQ(map.removeChild(&stranger), nullptr);
    std::unique_ptr<Property> first = map.eraseChildAt(0);
    EXPECT_EQ(first->name(), u"A");
    EXPECT_EQ(names(map), (std::vector<std::u16string>{u"D", u"C"}));
    EXPECT_EQ(map.eraseChildAt(5), nullptr);
}

TEST(PropertyMapTest, FindsByExactName) {
    TestMap map(u"Map", 0);
    map.append(std::make_unique<PercentProperty>(u"Thickness", 27, 4));
    EXPECT_EQ(map.findChild(u"thickness"), nullptr);
    EXPECT_EQ(map.findChild(u"Thickness "), nullptr);
    EXPECT_NE(map.findChildAs<IntProperty>(u"Thickness"), nullptr);
    // A value stored under the name but of another kind counts as absent.
    EXPECT_EQ(map.findChildAs<StringProperty>(u"Thickness"), nullptr);
}

TEST(PropertyMapTest, ReadingReplacesOldChildrenAndSetsParents) {
    registerSchemeClasses();
    auto owned = abc();
    TestMap& source = *owned;
    MemoryByteStream stream;
    ObjectOStreamStd out(stream);
    source.write(out);

    TestMap target(u"Other", 0);
    target.append(std::make_unique<StringProperty>(u"Old", 0, u"gone"));
    MemoryByteStream in(stream.bytes());
    ObjectIStreamStd reader(in);
    target.read(reader);
    ASSERT_FALSE(reader.failed()) << reader.error().reason;
    EXPECT_EQ(names(target), (std::vector<std::u16string>{u"A", u"B", u"C"}));
    EXPECT_EQ(target.name(), u"Map");
    for (const auto& child : target.children()) {
        EXPECT_EQ(child->parent(), &target);
    }
}

TEST(PropertyMapTest, EmptyMapIsItsBasePartAndAZeroCount) {
    TestMap map(u"M", 5);
    MemoryByteStream stream;
    ObjectOStreamStd out(stream);
    map.write(out);
    auto bytes = stream.bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
              (std::vector<std::uint8_t>{1, 0, 0, 0, 'M', 0, 5, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PropertyMapTest, CloneIsDeepAndUnattached) {
    TestMap parent(u"Parent", 0);
    TestMap* map = static_cast<TestMap*>(parent.append(abc()));
    map->setSelected(true);
    std::unique_ptr<Property> copy = map->clone();
    auto& cloned = static_cast<TestMap&>(*copy);
    EXPECT_EQ(cloned.parent(), nullptr);
    EXPECT_FALSE(cloned.isSelected());
    EXPECT_EQ(names(cloned), names(*map));
    static_cast<IntProperty*>(cloned.findChild(u"A"))->setValue(42);
    EXPECT_EQ(static_cast<IntProperty*>(map->findChild(u"A"))->value(), 1);
    EXPECT_EQ(cloned.findChild(u"A")->parent(), &cloned);
}

TEST(PropertyMapTest, TextsComeFromTheStringTable) {
    EXPECT_EQ(splitPropertyText(u"only label").label, u"only label");
    EXPECT_EQ(splitPropertyText(u"only label").description, u"");
    PropertyTexts two = splitPropertyText(u"label\tdescription\textra");
    EXPECT_EQ(two.label, u"label");
    EXPECT_EQ(two.description, u"description");
    IntProperty begin(u"Begin", 23, 0);
    EXPECT_EQ(begin.label(), u"begin radius (%)");
    EXPECT_EQ(begin.description(),
              u"Sets the radius in % at which the hand line begins. The value may be negative.");
    IntProperty missing(u"X", 9999, 0);
    EXPECT_EQ(missing.label(), u"");
}

TEST(PropertyMapTest, TableTextsAreSharedAndHandTextsOwned) {
    IntProperty first(u"A", 23, 0);
    IntProperty second(u"B", 23, 0);
    // One copy of a table text for every property showing it keeps large schemes small.
    EXPECT_EQ(first.description().data(), second.description().data());

    second.setLabel(u"by hand");
    EXPECT_EQ(second.label(), u"by hand");
    EXPECT_EQ(second.description(), first.description());
    EXPECT_EQ(first.label(), u"begin radius (%)");

    std::unique_ptr<Property> copy = second.clone();
    second.setDescription(u"changed");
    EXPECT_EQ(copy->label(), u"by hand");
    EXPECT_EQ(copy->description(), first.description());

    second.setTextId(0);
    EXPECT_EQ(second.label(), u"by hand");
    second.setTextId(23);
    EXPECT_EQ(second.label(), u"begin radius (%)");
    EXPECT_EQ(second.description().data(), first.description().data());
}

TEST(PropertyMapTest, RowsRememberExpandedAndSelectedState) {
    auto owned = abc();
    TestMap& map = *owned;
    map.setExpanded(true);
    map.setSelected(true);
    FakeTree tree;
    auto* row = static_cast<FakeRow*>(map.createItem(tree, nullptr));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->label, u"test map");
    EXPECT_TRUE(row->expanded);
    EXPECT_TRUE(row->marked);
    EXPECT_EQ(row->valueBackground, 0xF7F7F7u);
    EXPECT_EQ(tree.childrenOf(row).size(), 3u);

    row->expanded = false;
    row->marked = false;
    map.saveItemState();
    EXPECT_FALSE(map.isExpanded());
    EXPECT_FALSE(map.isSelected());
    map.forgetItem();
    EXPECT_EQ(map.item(), nullptr);
}

} // namespace
