// Tests for velmora_json: lossless strings, error reporting and the limits that protect the tool.
#include "tools/json_reader.h"
#include "tools/json_value.h"
#include "tools/json_writer.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>

namespace {

using Array = JsonValue::Array;
using Style = JsonWriter::Style;

std::u16string units(std::initializer_list<char16_t> list) {
    return std::u16string(list);
}

std::string quoted(const std::string& body) {
    return "\"" + body + "\"";
}

struct StringCase {
    const char* name;
    std::u16string value;
    std::string json;
};

class StringRoundTrip : public testing::TestWithParam<StringCase> {};

TEST_P(StringRoundTrip, WritesExpectedTextAndReadsBackSameUnits) {
    const StringCase& c = GetParam();
    EXPECT_EQ(JsonWriter::write(JsonValue(c.value), Style::Compact), c.json);
    EXPECT_TRUE(JsonReader::parse(c.json).asString() == c.value);
}

INSTANTIATE_TEST_SUITE_P(
    CodeUnitClasses, StringRoundTrip,
    testing::Values(
        StringCase{"Ascii", u"clock face", quoted("clock face")},
        StringCase{"Bmp", u"\u00e9\u4e2d", quoted("\xC3\xA9\xE4\xB8\xAD")},
        StringCase{"SupplementaryPair", u"\U0001F600", quoted("\xF0\x9F\x98\x80")},
        StringCase{"LoneHigh", units({u'a', 0xD800, u'b'}), quoted("a\\ud800b")},
        StringCase{"LoneLow", units({0xDC00}), quoted("\\udc00")},
        StringCase{"HighAtEnd", units({u'a', 0xD83D}), quoted("a\\ud83d")},
        StringCase{"ReversedPair", units({0xDE00, 0xD83D}), quoted("\\ude00\\ud83d")},
        StringCase{"HighBeforePair", units({0xD800, 0xD83D, 0xDE00}),
                   quoted("\\ud800\xF0\x9F\x98\x80")},
        StringCase{"LowAfterPair", units({0xD83D, 0xDE00, 0xDE00}),
                   quoted("\xF0\x9F\x98\x80\\ude00")},
        StringCase{"ShortEscapes", u"\"\\\n\t\r\b\f/", quoted("\\\"\\\\\\n\\t\\r\\b\\f/")},
        StringCase{"OtherControls", units({0x00, 0x1F, 0x7F}), quoted("\\u0000\\u001f\x7F")}),
    [](const auto& info) { return std::string(info.param.name); });

struct EscapeCase {
    const char* name;
    std::string json;
    std::u16string value;
};

class EscapeDecoding : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeDecoding, DecodesToExpectedUnits) {
    EXPECT_TRUE(JsonReader::parse(GetParam().json).asString() == GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, EscapeDecoding,
    testing::Values(EscapeCase{"UpperCasePair", quoted("\\uD83D\\uDE00"), u"\U0001F600"},
                    EscapeCase{"LowerCasePair", quoted("\\ud83d\\ude00"), u"\U0001F600"},
                    EscapeCase{"MixedCase", quoted("\\uD83d\\uDe00"), u"\U0001F600"},
                    EscapeCase{"LoneHighUpperCase", quoted("\\uDBFF"), units({0xDBFF})},
                    EscapeCase{"BmpEscape", quoted("\\u00E9"), u"\u00e9"},
                    EscapeCase{"Nul", quoted("a\\u0000b"), units({u'a', 0, u'b'})},
                    EscapeCase{"Solidus", quoted("\\/"), u"/"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::string json;
    std::size_t offset;
    const char* reason;
};

class ParseError : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParseError, ReportsReasonAtOffset) {
    const ErrorCase& c = GetParam();
    try {
        JsonReader::parse(c.json);
        FAIL() << "accepted " << c.json;
    } catch (const JsonParseError& error) {
        EXPECT_EQ(error.offset(), c.offset);
        EXPECT_NE(error.reason().find(c.reason), std::string::npos) << error.what();
        const std::string message = error.what();
        for (char ch : message)
            EXPECT_GE(static_cast<unsigned char>(ch), 0x20) << "raw control byte in: " << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rejected, ParseError,
    testing::Values(ErrorCase{"Empty", "", 0, "end of input"},
                    ErrorCase{"OnlyWhitespace", " \n", 2, "end of input"},
                    ErrorCase{"TrailingGarbage", "[1] x", 4, "after the JSON value"},
                    ErrorCase{"TwoValues", "1 2", 2, "after the JSON value"},
                    ErrorCase{"UnterminatedString", "[\"abc", 1, "unterminated string"},
                    ErrorCase{"BackslashAtEnd", "\"ab\\", 0, "unterminated string"},
                    ErrorCase{"BadEscape", "\"a\\x\"", 2, "invalid escape"},
                    ErrorCase{"ShortUnicodeEscape", "\"\\u12\"", 1, "four hex digits"},
                    ErrorCase{"NonHexUnicodeEscape", "\"\\u12G4\"", 1, "four hex digits"},
                    ErrorCase{"RawNewlineInString", "\"a\nb\"", 2, "control character"},
                    ErrorCase{"LoneContinuationByte", "\"\x80\"", 1, "invalid UTF-8"},
                    ErrorCase{"OverlongSlash", "\"\xC0\xAF\"", 1, "invalid UTF-8"},
                    ErrorCase{"EncodedSurrogate", "\"\xED\xA0\x80\"", 1, "invalid UTF-8"},
                    ErrorCase{"TruncatedSequence", "\"a\xE2\x82\"", 2, "invalid UTF-8"},
                    ErrorCase{"BeyondUnicode", "\"\xF4\x90\x80\x80\"", 1, "invalid UTF-8"},
                    ErrorCase{"NonAsciiOutsideString", "[\xC3\xA9]", 1, "byte 0xC3"},
                    ErrorCase{"AboveInt64Max", "[9223372036854775808]", 1, "64-bit"},
                    ErrorCase{"BelowInt64Min", "-9223372036854775809", 0, "64-bit"},
                    ErrorCase{"ThirtyDigits", "123456789012345678901234567890", 0, "64-bit"},
                    ErrorCase{"Fraction", "[1.5]", 1, "only integers"},
                    ErrorCase{"Exponent", "1e3", 0, "only integers"},
                    ErrorCase{"LeadingZero", "012", 0, "leading zeros"},
                    ErrorCase{"MinusAlone", "-", 0, "digit"},
                    ErrorCase{"PlusSign", "+1", 0, "expected a value"},
                    ErrorCase{"BadLiteral", "[tru]", 1, "expected a value"},
                    ErrorCase{"DuplicateKey", "{\"a\":1,\"a\":2}", 7, "duplicate key \"a\""},
                    ErrorCase{"DuplicateKeyWithEscape", "{\"\\u001b[2J\":1,\"\\u001b[2J\":2}", 15,
                              "duplicate key \"\\u001b[2J\""},
                    ErrorCase{"KeyWithLoneSurrogate", "{\"\\ud800\":1}", 1, "unpaired surrogate"},
                    ErrorCase{"MissingColon", "{\"a\" 1}", 5, "':'"},
                    ErrorCase{"TrailingCommaInArray", "[1,]", 3, "expected a value"},
                    ErrorCase{"TrailingCommaInObject", "{\"a\":1,}", 7, "string key"},
                    ErrorCase{"NestedTooDeep", std::string(513, '[') + std::string(513, ']'), 512,
                              "nested deeper than 512"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonReader, ReportsLineAndCharacterColumn) {
    try {
        JsonReader::parse("{\n  \"\xC3\xA9\": tru\n}");
        FAIL();
    } catch (const JsonParseError& error) {
        EXPECT_EQ(error.offset(), 10u);
        EXPECT_EQ(error.line(), 2u);
        EXPECT_EQ(error.column(), 8u);
        EXPECT_EQ(std::string(error.what()).rfind("line 2, column 8 (byte 10): ", 0), 0u);
    }
}

TEST(JsonReader, SkipsLeadingByteOrderMarkOnly) {
    EXPECT_EQ(JsonReader::parse("\xEF\xBB\xBF[1]").items().size(), 1u);
    EXPECT_THROW(JsonReader::parse("[1]\xEF\xBB\xBF"), JsonParseError);
}

// Hostile input must be refused at the limit, not crash on the way down.
TEST(JsonReader, RefusesHostileNestingAtTheLimit) {
    for (const std::string& open : {std::string("["), std::string("{\"a\":")}) {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += open;
        try {
            JsonReader::parse(text);
            FAIL() << open;
        } catch (const JsonParseError& error) {
            EXPECT_EQ(error.offset(), 512 * open.size()) << open;
        }
    }
}

TEST(JsonReader, AcceptsNestingUpToTheLimit) {
    const std::string text = std::string(512, '[') + std::string(512, ']');
    EXPECT_EQ(JsonWriter::write(JsonReader::parse(text), Style::Compact), text);
}

TEST(JsonWriter, RefusesNestingItCouldNotReadBack) {
    JsonValue value{Array{}};
    for (int i = 0; i < JsonValue::maxDepth; ++i) {
        Array outer;
        outer.push_back(std::move(value));
        value = JsonValue(std::move(outer));
    }
    EXPECT_THROW(JsonWriter::write(value), JsonError);
}

struct IntegerCase {
    const char* name;
    std::string json;
    std::int64_t value;
};

class IntegerRoundTrip : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerRoundTrip, ReadsAndWritesExactly) {
    EXPECT_EQ(JsonReader::parse(GetParam().json).asInt(), GetParam().value);
    EXPECT_EQ(JsonWriter::write(JsonValue(GetParam().value), Style::Compact), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, IntegerRoundTrip,
    testing::Values(
        IntegerCase{"Int64Min", "-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        IntegerCase{"Int64Max", "9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        IntegerCase{"Int32Min", "-2147483648", std::numeric_limits<std::int32_t>::min()},
        IntegerCase{"Int32Max", "2147483647", std::numeric_limits<std::int32_t>::max()},
        IntegerCase{"Zero", "0", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonValue, NarrowingAccessIsRangeChecked) {
    EXPECT_EQ(JsonValue(std::numeric_limits<std::int32_t>::min()).asInt<std::int32_t>(),
              std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(JsonValue(std::int64_t{1} << 31).asInt<std::int32_t>(), JsonError);
    EXPECT_THROW(JsonValue(-1).asInt<std::uint8_t>(), JsonError);
}

TEST(JsonValue, AccessorsRefuseOtherTypes) {
    const JsonValue document = JsonReader::parse(R"({"name": "x", "list": [1]})");
    EXPECT_THROW(document.at("name").asInt(), JsonError);
    EXPECT_THROW(document.at("list").asString(), JsonError);
    EXPECT_THROW(document.at("list").find("name"), JsonError);
    EXPECT_EQ(document.find("missing"), nullptr);
    try {
        document.at("missing");
        FAIL();
    } catch (const JsonError& error) {
        EXPECT_NE(std::string(error.what()).find("\"missing\""), std::string::npos);
    }
}

TEST(JsonValue, ObjectsKeepKeysUniqueAndValid) {
    JsonValue object = JsonValue::object({{"a", JsonValue(1)}, {"b", JsonValue(2)}});
    object.set("a", JsonValue(3));
    ASSERT_EQ(object.members().size(), 2u);
    EXPECT_EQ(object.members()[0].first, "a");
    EXPECT_EQ(object.at("a").asInt(), 3);

    EXPECT_THROW(JsonValue::object({{"a", JsonValue(1)}, {"a", JsonValue(2)}}), JsonError);
    EXPECT_THROW(JsonValue::object({{"\xC3", JsonValue(1)}}), JsonError);
    EXPECT_THROW(object.set("\xED\xA0\x80", JsonValue(1)), JsonError);
}

JsonValue sampleScheme() {
    Array hands;
    hands.push_back(JsonValue::object({{"length", JsonValue(40)}}));
    hands.push_back(JsonValue::object());
    return JsonValue::object({
        {"name", JsonValue(u"Night")},
        {"key \"q\"\n\xC3\xA9", JsonValue(true)},
        {"colour", JsonValue(Array{JsonValue(255), JsonValue(0), JsonValue(16)})},
        {"empty", JsonValue(Array{})},
        {"hands", JsonValue(std::move(hands))},
        {"labels", JsonValue(Array{JsonValue(u"XII")})},
        {"parent", JsonValue()},
    });
}

struct FormatCase {
    const char* name;
    Style style;
    std::string json;
};

class WriterFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(WriterFormat, WritesReadableTextThatReadsBack) {
    const JsonValue scheme = sampleScheme();
    EXPECT_EQ(JsonWriter::write(scheme, GetParam().style), GetParam().json);
    EXPECT_TRUE(JsonReader::parse(GetParam().json) == scheme);
}

INSTANTIATE_TEST_SUITE_P(Styles, WriterFormat,
                         testing::Values(FormatCase{"Pretty", Style::Pretty,
                                                    R"({
  "name": "Night",
  "key \"q\"\n)"
                                                    "\xC3\xA9"
                                                    R"(": true,
  "colour": [255, 0, 16],
  "empty": [],
  "hands": [
    {
      "length": 40
    },
    {}
  ],
  "labels": [
    "XII"
  ],
  "parent": null
}
)"},
                                         FormatCase{"Compact", Style::Compact,
                                                    R"({"name":"Night","key \"q\"\n)"
                                                    "\xC3\xA9"
                                                    R"(":true,"colour":[255,0,16],"empty":[],)"
                                                    R"("hands":[{"length":40},{}],)"
                                                    R"("labels":["XII"],"parent":null})"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
