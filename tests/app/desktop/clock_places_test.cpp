// Where clocks the user has not placed go: the top-right corner, and beside the others.
#include "app/desktop/clock_places.h"
#include "app/desktop/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QRect kArea(0, 30, 1920, 1050);
const QSize kClock(200, 200);

TEST(ClockPlacesTest, TheFirstClockTakesTheTopRightCornerOrTheNextFreePlaceLeftOfIt) {
    const QPoint corner(1920 - ClockPlaces::kMargin - 200, 30 + ClockPlaces::kMargin);
    EXPECT_EQ(ClockPlaces::first(kArea, kClock, {}), corner);
    // A clock already there, or only overlapping it by a pixel, sends it one place left.
    const int step = 200 + ClockPlaces::kGap;
    EXPECT_EQ(ClockPlaces::first(kArea, kClock, {QRect(corner, kClock)}), corner - QPoint(step, 0));
    EXPECT_EQ(ClockPlaces::first(kArea, kClock, {QRect(corner + QPoint(199, 199), kClock)}),
              corner - QPoint(step, 0));
    EXPECT_EQ(ClockPlaces::first(kArea, kClock,
                                 {QRect(corner, kClock), QRect(corner - QPoint(step, 0), kClock)}),
              corner - QPoint(2 * step, 0));
    // A row full of clocks: the corner all the same.
    QList<QRect> full;
    for (int x = 0; x < 1920; x += 100) {
        full.append(QRect(x, 54, 100, 200));
    }
    EXPECT_EQ(ClockPlaces::first(kArea, kClock, full), corner);
}

struct BesideCase {
    const char* name;
    QRect here;
    QList<QRect> others;
    QPoint expected;
};

class ClockPlacesBesideTest : public testing::TestWithParam<BesideCase> {};

const BesideCase kBesideCases[] = {
    {"Right", {100, 100, 200, 200}, {}, {316, 100}},
    // The place on the right is another clock's: the next one further right.
    {"PastAnotherClock", {100, 100, 200, 200}, {{316, 100, 200, 200}}, {532, 100}},
    // The clock at the right edge: on its left.
    {"LeftAtTheEdge", {1700, 100, 200, 200}, {}, {1484, 100}},
    // Right blocked by the edge, left by a clock: the next place left.
    {"FurtherLeft", {1700, 100, 200, 200}, {{1484, 100, 200, 200}}, {1268, 100}},
    // No room anywhere in the row: just right of it, as before.
    {"NowhereFree", {0, 100, 1920, 200}, {}, {1936, 100}},
};

TEST_P(ClockPlacesBesideTest, TakesTheFirstFreePlaceInTheRow) {
    const BesideCase& c = GetParam();
    EXPECT_EQ(ClockPlaces::beside(c.here, kArea, c.others), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClockPlacesBesideTest, testing::ValuesIn(kBesideCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClockPlacesTest, OtherClocksAreReadFromTheirSettingsOnly) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    const QString folder = home.filePath(QString::fromLatin1(Settings::kOrganisation));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString base = Settings::applicationName(QString());
    const auto write = [&](const QString& application, const QByteArray& text) {
        QFile file(folder + QLatin1Char('/') + application + QStringLiteral(".conf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(base, "[WindowLayout]\nClockWindow_X=10\nClockWindow_Y=20\n");
    write(base + QStringLiteral("-2"),
          "[WindowLayout]\nClockWindow_X=300\nClockWindow_Y=40\nClockWindow_W=120\n"
          "ClockWindow_H=90\n");
    // Never placed, or placed with nothing that can be seen: not in the way.
    write(base + QStringLiteral("-3"), "[View]\nStayOnTop=0\n");
    write(base + QStringLiteral("-4"),
          "[WindowLayout]\nClockWindow_X=5\nClockWindow_Y=5\nClockWindow_W=0\n");
    // Another program's file.
    write(QStringLiteral("other"), "[WindowLayout]\nClockWindow_X=1\nClockWindow_Y=1\n");
    const QByteArray huge(Settings::kMaxFileBytes + 1, '\n');
    write(base + QStringLiteral("-5"), "[WindowLayout]\nClockWindow_X=7\nClockWindow_Y=7\n" + huge);

    QList<QRect> places = ClockPlaces::ofOtherClocks(QStringLiteral("2"));
    EXPECT_EQ(places, QList<QRect>({QRect(10, 20, 200, 200)}));
    places = ClockPlaces::ofOtherClocks(QString());
    EXPECT_EQ(places, QList<QRect>({QRect(300, 40, 120, 90)}));
    // Nothing was moved aside or rewritten.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);
    qputenv("XDG_CONFIG_HOME", previous);
}

} // namespace
