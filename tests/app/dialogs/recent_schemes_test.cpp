// The list of schemes used last: newest first, each once, bounded, and only files still there.
#include "app/dialogs/recent_schemes.h"
#include "tests/clock/memory_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RecentSchemesTest : public testing::Test {
protected:
    QString scheme(int number) {
        const QString path = folder_.filePath(QStringLiteral("s%1.Velmora").arg(number));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir folder_;
    MemorySettings settings_;
};

TEST_F(RecentSchemesTest, NewestFirstEachOnceAndBounded) {
    QStringList added;
    for (int i = 0; i < RecentSchemes::kKept + 2; ++i) {
        added.prepend(scheme(i));
        RecentSchemes::add(settings_, added.constFirst());
    }
    EXPECT_EQ(RecentSchemes::read(settings_), added.mid(0, RecentSchemes::kKept));

    // Used again, an older scheme comes first and is not listed twice; the oldest falls off.
    const QString again = added[4];
    RecentSchemes::add(settings_, again);
    QStringList expected = added.mid(0, RecentSchemes::kKept);
    expected.removeAll(again);
    expected.prepend(again);
    EXPECT_EQ(RecentSchemes::read(settings_), expected);

    // The same file named relatively is the same entry.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    RecentSchemes::add(settings_, QStringLiteral("s9.Velmora"));
    QDir::setCurrent(before);
    const QStringList now = RecentSchemes::read(settings_);
    EXPECT_EQ(now.constFirst(), folder_.filePath("s9.Velmora"));
    EXPECT_EQ(now.count(folder_.filePath("s9.Velmora")), 1);
    EXPECT_EQ(now.size(), RecentSchemes::kKept);
}

TEST_F(RecentSchemesTest, FilesThatAreGoneAreLeftOutAndOthersMoveUp) {
    const QString first = scheme(1);
    const QString second = scheme(2);
    const QString third = scheme(3);
    for (const QString& path : {first, second, third}) {
        RecentSchemes::add(settings_, path);
    }
    ASSERT_TRUE(QFile::remove(second));
    ASSERT_TRUE(QDir().mkdir(folder_.filePath("folder.Velmora")));
    RecentSchemes::add(settings_, folder_.filePath("folder.Velmora"));
    EXPECT_EQ(RecentSchemes::read(settings_), (QStringList{third, first}));

    // Back again, it shows again in its place.
    scheme(2);
    EXPECT_EQ(RecentSchemes::read(settings_), (QStringList{third, second, first}));
}

TEST_F(RecentSchemesTest, TheSchemeLoadedLastCountsAndOddNamesAreNotKept) {
    const QString loaded = scheme(1);
    settings_.writeText(settings::kSchemeLoaded, loaded.toStdU16String());
    EXPECT_EQ(RecentSchemes::read(settings_), QStringList{loaded});

    const QString other = scheme(2);
    RecentSchemes::add(settings_, other);
    RecentSchemes::add(settings_, {});
    RecentSchemes::add(settings_, other + QStringLiteral("\n") + loaded);
    EXPECT_EQ(RecentSchemes::read(settings_), (QStringList{loaded, other}));
}

} // namespace
