// File names through UTF-16: valid UTF-8 as text, any other byte kept and given back.
#include "model/utf.h"

#include <gtest/gtest.h>

namespace {

struct PathRow {
    const char* name;
    std::string bytes;
    std::u16string text;
};

class PathTextTest : public testing::TestWithParam<PathRow> {};

TEST_P(PathTextTest, KeepsEveryByteOfTheName) {
    const PathRow& row = GetParam();
    EXPECT_EQ(fromPath(row.bytes), row.text);
    EXPECT_EQ(toPath(row.text).native(), row.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathTextTest,
    testing::Values(PathRow{"Ascii", "/tmp/a.Velmora", u"/tmp/a.Velmora"},
                    PathRow{"Utf8", "/tmp/\xc3\xa9t\xc3\xa9\xf0\x9f\x98\x80",
                            u"/tmp/\u00e9t\u00e9\U0001F600"},
                    PathRow{"ReplacementCharacterItself", "\xef\xbf\xbd", u"\ufffd"},
                    PathRow{"Latin1Byte", "/tmp/\xe9t\xe9", u"/tmp/\xdce9t\xdce9"},
                    PathRow{"CutSequence", "a\xc3", u"a\xdcc3"},
                    PathRow{"CutBeforeAscii", "\xe2\x82z", u"\xdce2\xdc82z"},
                    PathRow{"Overlong", "\xc0\xaf", u"\xdcc0\xdcaf"},
                    PathRow{"OverlongFourBytes", "\xf0\x8f\xbf\xbf", u"\xdcf0\xdc8f\xdcbf\xdcbf"},
                    PathRow{"EncodedSurrogate", "\xed\xa0\x80", u"\xdced\xdca0\xdc80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PathTextTest, OtherTextStaysAsItWas) {
    // Text for display replaces what UTF-8 cannot hold.
    EXPECT_EQ(toUtf8(u"a\xdce9"), "a\xef\xbf\xbd");
    EXPECT_EQ(fromUtf8("a\xe9"), u"a\ufffd");
    EXPECT_EQ(fromUtf8("\xf0\x8f\xbf\xbf"), u"\ufffd");
    EXPECT_EQ(fromUtf8("\xe0\x9f\xbf"), u"\ufffd");
    // A lone surrogate outside the bytes' range is no byte.
    EXPECT_EQ(toPath(u"a\xd800"
                     u"b\xdc41")
                  .native(),
              "a\xef\xbf\xbd"
              "b\xef\xbf\xbd");
}

} // namespace
