// Text and file names between the program and Qt keep every code unit and every byte.
#include "render/qt_text.h"

#include <gtest/gtest.h>

namespace {

TEST(QtText, EveryCodeUnitAndEveryByteSurvives) {
    const std::u16string text = u"Z\u00fcrich \u263a \xd800 \U0001F600";
    const QString qt = toQString(text);
    EXPECT_EQ(qt.size(), static_cast<qsizetype>(text.size()));
    EXPECT_EQ(qt.toStdU16String(), text);
    EXPECT_TRUE(toQString(std::u16string_view()).isEmpty());

    // A name whose bytes are no UTF-8 comes back as the same bytes.
    for (const char* name : {"/tmp/caf\xe9.Velmora", "/tmp/\xff\xfe", "/tmp/Z\xc3\xbcrich"}) {
        const std::filesystem::path path(name);
        EXPECT_EQ(qStringToPath(pathToQString(path)).native(), path.native()) << name;
    }
    EXPECT_EQ(pathToQString("/tmp/Z\xc3\xbcrich"), QString::fromUtf8("/tmp/Z\xc3\xbcrich"));
}

} // namespace
