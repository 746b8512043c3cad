// "Dates in my language": off by default, and the clock's names follow the setting.
#include "app/desktop/date_language.h"
#include "app/desktop/settings.h"
#include "clock/clock.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(DateLanguage, OffByDefaultAndToggledWithTheClocksNames) {
    QTemporaryDir folder;
    Settings settings(folder.filePath("store.conf"));
    ::setenv("LC_TIME", "de_DE.UTF-8", 1);
    EXPECT_FALSE(datesInMyLanguage(settings));
    EXPECT_EQ(dateNamesFor(settings), nullptr);

    Clock clock;
    toggleDatesInMyLanguage(settings, clock);
    EXPECT_TRUE(datesInMyLanguage(settings));
    EXPECT_EQ(Settings(folder.filePath("store.conf")).readInt(settings::kDatesInMyLanguage), 1);
    // LC_ALL=C from the test's environment comes before LC_TIME, as in the C library.
    ::unsetenv("LC_ALL");
    toggleDatesInMyLanguage(settings, clock);
    toggleDatesInMyLanguage(settings, clock);
    if (clock.dateNames() == nullptr) {
        ::unsetenv("LC_TIME");
        GTEST_SKIP() << "locale de_DE.UTF-8 is not generated here";
    }
    EXPECT_EQ(clock.dateNames()->months[11], u"Dezember");
    // The window's language survives a scheme taken over or copied.
    Clock other;
    clock.adopt(other);
    ASSERT_NE(clock.cloneClock()->dateNames(), nullptr);

    toggleDatesInMyLanguage(settings, clock);
    EXPECT_EQ(clock.dateNames(), nullptr);
    ::unsetenv("LC_TIME");
    ::setenv("LC_ALL", "C", 1);
}

} // namespace
