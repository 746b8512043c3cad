// Type names, the naming chain and the class registry.
#include "clock/class_registration.h"
#include "model/class_registry.h"
#include "model/property.h"

#include <gtest/gtest.h>

namespace {

struct ChainRow {
    const char* type;
    const char* path;
};

class NamingChainTest : public testing::TestWithParam<ChainRow> {
protected:
    static void SetUpTestSuite() { registerSchemeClasses(registry()); }
    static ClassRegistry& registry() {
        static ClassRegistry instance;
        return instance;
    }
};

TEST_P(NamingChainTest, CreatedObjectNamesItsChain) {
    std::unique_ptr<SerializationObject> object = registry().create(GetParam().type);
    ASSERT_NE(object, nullptr);
    EXPECT_STREQ(object->className(), GetParam().type);
    EXPECT_EQ(object->classPath(), GetParam().path);
    // Every name on the path is accepted, and no other.
    std::string path = GetParam().path;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        EXPECT_TRUE(object->isKindOf(path.substr(start, end - start))) << path;
        start = end + 1;
    }
    EXPECT_FALSE(object->isKindOf("EnumProperty"));
    EXPECT_FALSE(object->isKindOf(""));
    EXPECT_FALSE(object->isKindOf(std::string(GetParam().type) + "X"));
    EXPECT_EQ(object->isKindOf("ClockObject"), path.find("ClockObject") != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    AllRegistered, NamingChainTest,
    testing::Values(
        ChainRow{"BoolProperty", "SerializationObject:Property:IntProperty:BoolProperty"},
        ChainRow{"IntProperty", "SerializationObject:Property:IntProperty"},
        ChainRow{"PercentProperty", "SerializationObject:Property:IntProperty:PercentProperty"},
        ChainRow{"ColorProperty", "SerializationObject:Property:ColorProperty"},
        ChainRow{"StringProperty", "SerializationObject:Property:StringProperty"},
        ChainRow{"TimeValueProperty", "SerializationObject:Property:IntProperty:TimeValueProperty"},
        ChainRow{"TimeZoneProperty", "SerializationObject:Property:IntProperty:TimeZoneProperty"},
        ChainRow{"FileProperty", "SerializationObject:Property:FileProperty"},
        ChainRow{"LineCapProperty", "SerializationObject:Property:IntProperty:LineCapProperty"},
        ChainRow{"FontFamilyProperty",
                 "SerializationObject:Property:IntProperty:FontFamilyProperty"},
        ChainRow{"SmoothingModeProperty",
                 "SerializationObject:Property:IntProperty:SmoothingModeProperty"},
        ChainRow{"Clock", "SerializationObject:Property:PropertyMap:ClockObject:Clock"},
        ChainRow{"ClockHand", "SerializationObject:Property:PropertyMap:ClockObject:ClockHand"},
        ChainRow{"ClockSlice", "SerializationObject:Property:PropertyMap:ClockObject:ClockSlice"},
        ChainRow{"ClockText", "SerializationObject:Property:PropertyMap:ClockObject:ClockText"}),
    [](const auto& info) { return std::string(info.param.type); });

std::unique_ptr<SerializationObject> makeFirst() {
    return std::make_unique<SerializationObject>();
}
std::unique_ptr<SerializationObject> makeSecond() {
    return nullptr;
}

TEST(ClassRegistryTest, LookupIsExactAndFirstRegistrationWins) {
    ClassRegistry registry;
    registerSchemeClasses(registry);
    EXPECT_EQ(registry.size(), 15);
    EXPECT_EQ(registry.findCreator(""), nullptr);
    EXPECT_EQ(registry.findCreator("clock"), nullptr);
    EXPECT_EQ(registry.findCreator("Clock "), nullptr);
    EXPECT_EQ(registry.findCreator("PropertyMap"), nullptr);
    EXPECT_EQ(registry.findCreator("EnumProperty"), nullptr);
    Creator clock = registry.findCreator("Clock");
    ASSERT_NE(clock, nullptr);
    registry.registerClass("Clock", &makeFirst);
    EXPECT_EQ(registry.findCreator("Clock"), clock);
    registerSchemeClasses(registry);
    EXPECT_EQ(registry.size(), 15);
}

TEST(ClassRegistryTest, HoldsAtMost256Names) {
    ClassRegistry registry;
    static std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back("Class" + std::to_string(i));
    }
    for (const std::string& name : names) {
        registry.registerClass(name.c_str(), &makeFirst);
    }
    EXPECT_EQ(registry.size(), ClassRegistry::kCapacity);
    EXPECT_NE(registry.findCreator("Class255"), nullptr);
    EXPECT_EQ(registry.findCreator("Class256"), nullptr);
    // A null creator is never stored, so it cannot shadow a later real registration.
    ClassRegistry other;
    other.registerClass("A", &makeSecond);
    other.registerClass("B", nullptr);
    EXPECT_EQ(other.findCreator("B"), nullptr);
    EXPECT_EQ(other.size(), 1);
}

} // namespace
