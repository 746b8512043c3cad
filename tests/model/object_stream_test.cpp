// The byte format of the object streams and how reading refuses broken data.
#include "model/color_property.h"
#include "model/object_stream.h"
#include "model/string_property.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Write> Bytes written(Write write) {
    MemoryByteStream stream;
    ObjectOStreamStd out(stream);
    write(out);
    EXPECT_TRUE(out.ok());
    auto bytes = stream.bytes();
    return Bytes(bytes.begin(), bytes.end());
}

struct WideRow {
    const char* name;
    std::u16string text;
    Bytes bytes;
};

class WideStringFormatTest : public testing::TestWithParam<WideRow> {};

TEST_P(WideStringFormatTest, WritesCountOfCodeUnitsThenLittleEndianUnits) {
    const WideRow& row = GetParam();
    EXPECT_EQ(written([&](ObjectOStream& out) { out.writeWString(row.text); }), row.bytes);
    MemoryByteStream stream(row.bytes);
    ObjectIStreamStd in(stream);
    std::u16string back = u"previous";
    in.readWString(back);
    EXPECT_FALSE(in.failed());
    EXPECT_EQ(back, row.text);
    EXPECT_EQ(stream.remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WideStringFormatTest,
    testing::Values(
        WideRow{"Empty", u"", {0, 0, 0, 0}}, WideRow{"Ascii", u"X", {1, 0, 0, 0, 'X', 0}},
        WideRow{"Latin", u"\u00e9", {1, 0, 0, 0, 0xE9, 0}},
        WideRow{"OutsideBasicPlane", u"\U0001F600", {2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}},
        WideRow{"LoneSurrogate", std::u16string(1, char16_t(0xDC00)), {1, 0, 0, 0, 0, 0xDC}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ObjectStreamTest, NumbersAreLittleEndian) {
    EXPECT_EQ(written([](ObjectOStream& out) { out.write32(std::int32_t{-1}); }),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(written([](ObjectOStream& out) { out.write32(std::uint32_t{14}); }),
              (Bytes{14, 0, 0, 0}));
    EXPECT_EQ(written([](ObjectOStream& out) { out.write16(std::uint16_t{0x1234}); }),
              (Bytes{0x34, 0x12}));
    EXPECT_EQ(written([](ObjectOStream& out) { out.write64(0x0102030405060708ull); }),
              (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(written([](ObjectOStream& out) { out.writeString("Clock"); }),
              (Bytes{5, 0, 0, 0, 'C', 'l', 'o', 'c', 'k'}));
}

TEST(ObjectStreamTest, ColorIsStoredMostSignificantByteFirst) {
    ColorProperty shadow(u"Color", 22, 0x64000000);
    Bytes bytes = written([&](ObjectOStream& out) { shadow.write(out); });
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{0x64, 0, 0, 0}));

    Bytes stored = written([](ObjectOStream& out) {
        out.writeWString(u"Color");
        out.write32(std::int32_t{22});
    });
    for (std::uint8_t b : {0xFF, 0xFF, 0x68, 0x20}) {
        stored.push_back(b);
    }
    MemoryByteStream stream(stored);
    ObjectIStreamStd in(stream);
    ColorProperty read;
    read.read(in);
    EXPECT_EQ(read.argb(), 0xFFFF6820u);
    EXPECT_EQ(read.label(), u"color");
}

struct BrokenRow {
    const char* name;
    Bytes bytes;
    const char* reason;
    std::uint64_t offset;
};

class BrokenStringTest : public testing::TestWithParam<BrokenRow> {};

// A count is never trusted beyond the bytes that are there, and after the first failure
// every read yields nothing.
TEST_P(BrokenStringTest, FailsWithReasonAndOffsetAndReadsNothingMore) {
    const BrokenRow& row = GetParam();
    MemoryByteStream stream(row.bytes);
    ObjectIStreamStd in(stream);
    std::u16string text = u"old";
    in.readWString(text);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(text, u"");
    EXPECT_NE(in.error().reason.find(row.reason), std::string::npos) << in.error().reason;
    EXPECT_EQ(in.error().offset, row.offset);
    std::int32_t after = 7;
    in.read32(after);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(in.error().offset, row.offset);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenStringTest,
    testing::Values(
        BrokenRow{"NoCount", {}, "premature end", 0},
        BrokenRow{"ShortCount", {1, 0}, "premature end", 0},
        BrokenRow{"CountBeyondData", {3, 0, 0, 0, 'a', 0}, "larger than the bytes left", 0},
        BrokenRow{"HugeCount", {0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}, "larger than the bytes left", 0},
        BrokenRow{"OddLastByte", {1, 0, 0, 0, 'a'}, "larger than the bytes left", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ObjectStreamTest, FailedWriteIsReported) {
    Bytes storage{1, 2, 3};
    MemoryByteStream readOnly{std::span<const std::uint8_t>(storage)};
    ObjectOStreamStd out(readOnly);
    out.write32(std::int32_t{5});
    EXPECT_FALSE(out.ok());
}

} // namespace
