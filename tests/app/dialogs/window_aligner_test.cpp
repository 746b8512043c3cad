// CWindowAligner: placement kept in the settings, anchored controls, minimum size and grip.
#include "app/desktop/settings.h"
#include "app/dialogs/window_aligner.h"
#include "tests/clock/memory_settings.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>

void PrintTo(const QRect& r, std::ostream* out) {
    *out << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

namespace {

using settings::PlacementPart;

// Counts updates, each a write through to disk in the real store, to see which geometry
// changes the aligner saves and how often.
class CountingSettings : public MemorySettings {
public:
    bool writeInt(const SettingKey& key, std::int32_t value) override {
        ++writes;
        return MemorySettings::writeInt(key, value);
    }
    bool writeInts(std::span<const IntValue> values) override {
        ++writes;
        for (const IntValue& entry : values) {
            MemorySettings::writeInt(entry.key, entry.value);
        }
        return true;
    }
    int writes = 0;
};

class WindowAlignerTest : public testing::Test {
protected:
    void SetUp() override {
        // The rows below are written for the offscreen platform's one 800 x 800 screen.
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
        // move() places the frame, as the aligner does; setGeometry() would place the inside.
        window_.move(30, 40);
        window_.resize(200, 200);
    }
    void store(std::string_view name, const QRect& r) {
        store_.writeInt(settings::windowLayoutKey(name, PlacementPart::X), r.x());
        store_.writeInt(settings::windowLayoutKey(name, PlacementPart::Y), r.y());
        store_.writeInt(settings::windowLayoutKey(name, PlacementPart::W), r.width());
        store_.writeInt(settings::windowLayoutKey(name, PlacementPart::H), r.height());
        store_.writes = 0;
    }
    QRect stored(std::string_view name) const {
        auto read = [&](PlacementPart part) {
            return store_.readInt(settings::windowLayoutKey(name, part), -1);
        };
        return QRect(read(PlacementPart::X), read(PlacementPart::Y), read(PlacementPart::W),
                     read(PlacementPart::H));
    }
    static QRect placement(const QWidget& window) { return QRect(window.pos(), window.size()); }

    CountingSettings store_;
    QWidget window_;
    CWindowAligner aligner_{store_};
};

struct RestoreRow {
    const char* name;
    std::string_view windowName;
    std::optional<QRect> stored;
    QRect expected;
};
void PrintTo(const RestoreRow& row, std::ostream* out) {
    *out << row.name;
}

class RestoreTest : public WindowAlignerTest, public testing::WithParamInterface<RestoreRow> {};

TEST_P(RestoreTest, PutsTheWindowWhereTheSettingsSay) {
    if (GetParam().stored) {
        store(GetParam().windowName, *GetParam().stored);
    }
    aligner_.initForWindow(&window_, nullptr, true, GetParam().windowName, false);
    EXPECT_EQ(placement(window_), GetParam().expected);
    EXPECT_EQ(store_.writes, 0);
}

constexpr std::string_view kClock = settings::kClockWindow;

INSTANTIATE_TEST_SUITE_P(
    Placements, RestoreTest,
    testing::Values(
        RestoreRow{"Stored", kClock, QRect(100, 120, 300, 250), QRect(100, 120, 300, 250)},
        RestoreRow{"NothingStored", kClock, std::nullopt, QRect(30, 40, 200, 200)},
        RestoreRow{"EmptyNameIgnoresTheStore", "", QRect(100, 120, 300, 250),
                   QRect(30, 40, 200, 200)},
        RestoreRow{"EmptySizeKeepsCurrent", kClock, QRect(50, 60, 0, -5), QRect(50, 60, 200, 200)},
        RestoreRow{"PartlyVisibleStays", kClock, QRect(600, -50, 300, 250),
                   QRect(600, -50, 300, 250)},
        RestoreRow{"TooLittleVisibleComesBack", kClock, QRect(780, 780, 300, 250),
                   QRect(500, 550, 300, 250)},
        RestoreRow{"JustPastTheRightEdge", kClock, QRect(800, 10, 300, 250),
                   QRect(500, 10, 300, 250)},
        RestoreRow{"FarBelowRight", kClock, QRect(5000, 4000, 300, 250), QRect(500, 550, 300, 250)},
        RestoreRow{"FarAboveLeft", kClock, QRect(-3000, -2000, 300, 250), QRect(0, 0, 300, 250)},
        RestoreRow{"OffScreenAndTooLarge", kClock, QRect(-5000, 100, 2000, 1000),
                   QRect(0, 0, 800, 800)}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExtremeRow {
    const char* name;
    std::int32_t x, y, w, h;
    QRect expected;
};
void PrintTo(const ExtremeRow& row, std::ostream* out) {
    *out << row.name;
}

class ExtremeStoredValuesTest : public WindowAlignerTest,
                                public testing::WithParamInterface<ExtremeRow> {};

// Whatever the store holds, the window comes back on screen at a size it allows: values
// near the ends of the range must not overflow into a rectangle that passes for visible.
TEST_P(ExtremeStoredValuesTest, LeaveTheWindowFindable) {
    const ExtremeRow& row = GetParam();
    window_.setMinimumSize(33, 33);
    store_.writeInt(settings::windowLayoutKey(kClock, PlacementPart::X), row.x);
    store_.writeInt(settings::windowLayoutKey(kClock, PlacementPart::Y), row.y);
    store_.writeInt(settings::windowLayoutKey(kClock, PlacementPart::W), row.w);
    store_.writeInt(settings::windowLayoutKey(kClock, PlacementPart::H), row.h);
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    EXPECT_EQ(placement(window_), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ExtremeStoredValuesTest,
    testing::Values(
        ExtremeRow{"LargestPosition", INT32_MAX, INT32_MAX, 300, 250, QRect(500, 550, 300, 250)},
        ExtremeRow{"SmallestPosition", INT32_MIN, INT32_MIN, 300, 250, QRect(0, 0, 300, 250)},
        ExtremeRow{"RightEdgePastTheRange", INT32_MAX - 100, 10, 300, 250,
                   QRect(500, 10, 300, 250)},
        ExtremeRow{"OnePixel", 100, 100, 1, 1, QRect(100, 100, 33, 33)},
        ExtremeRow{"LargestSize", 100, 100, INT32_MAX, INT32_MAX, QRect(0, 0, 800, 800)}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsableRow {
    const char* name;
    QRect placement;
    QList<QRect> screens;
    QRect expected;
};
void PrintTo(const UsableRow& row, std::ostream* out) {
    *out << row.name;
}

class UsablePlacementTest : public testing::TestWithParam<UsableRow> {};

TEST_P(UsablePlacementTest, KeepsACornerAndAQuarterOnOneScreen) {
    EXPECT_EQ(usablePlacement(GetParam().placement, GetParam().screens, 32), GetParam().expected);
}

const QRect kLeft(0, 0, 800, 600);
const QRect kRight(800, 0, 1024, 768);

INSTANTIATE_TEST_SUITE_P(
    Rows, UsablePlacementTest,
    testing::Values(
        UsableRow{"Inside", QRect(10, 10, 200, 200), {kLeft}, QRect(10, 10, 200, 200)},
        // 100 x 100 of 200 x 200 showing, the top-left corner square among it.
        UsableRow{"QuarterShowing", QRect(700, 500, 200, 200), {kLeft}, QRect(700, 500, 200, 200)},
        UsableRow{
            "JustUnderAQuarter", QRect(701, 500, 200, 200), {kLeft}, QRect(600, 400, 200, 200)},
        // What a shrunk screen left: only a 20 x 20 corner.
        UsableRow{
            "TwentyPixelCorner", QRect(780, 580, 200, 200), {kLeft}, QRect(600, 400, 200, 200)},
        // Half of it shows, but every corner square is cut by the edge.
        UsableRow{"NoWholeCorner", QRect(-20, 100, 40, 400), {kLeft}, QRect(0, 100, 40, 400)},
        UsableRow{
            "SmallerThanTheCornerSquare", QRect(795, 10, 20, 20), {kLeft}, QRect(780, 10, 20, 20)},
        UsableRow{"SpanningTwoScreensStays",
                  QRect(700, 100, 200, 200),
                  {kLeft, kRight},
                  QRect(700, 100, 200, 200)},
        UsableRow{"GoesToTheScreenItOverlapsMost",
                  QRect(1700, 700, 300, 300),
                  {kLeft, kRight},
                  QRect(1524, 468, 300, 300)},
        UsableRow{"OverlappingNoneGoesToThePrimary",
                  QRect(3000, -900, 200, 200),
                  {kRight, kLeft},
                  QRect(1624, 0, 200, 200)},
        UsableRow{"LargerThanTheScreenIsShrunk",
                  QRect(-500, -500, 2000, 2000),
                  {kLeft},
                  QRect(0, 0, 800, 600)},
        UsableRow{
            "NoScreenLeavesItAlone", QRect(-500, 10, 200, 200), {}, QRect(-500, 10, 200, 200)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowAlignerTest, PositionsRelativeToTheParent) {
    QWidget parent;
    parent.move(200, 100);
    QWidget dialog(&parent, Qt::Dialog);
    dialog.move(250, 130);
    dialog.resize(100, 100);
    aligner_.initForWindow(&dialog, nullptr, true, "Dialog", true);
    EXPECT_EQ(dialog.pos(), QPoint(250, 130)) << "missing values keep the window in place";
    aligner_.savePlacement();
    EXPECT_EQ(stored("Dialog"), QRect(50, 30, 100, 100));

    store("Dialog", QRect(10, 20, 100, 100));
    aligner_.restorePlacement();
    EXPECT_EQ(dialog.pos(), QPoint(210, 120));
}

class ImposedStateTest : public WindowAlignerTest,
                         public testing::WithParamInterface<Qt::WindowState> {};

TEST_P(ImposedStateTest, MovesAndResizesAreSavedOnlyInTheNormalState) {
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    window_.show();
    window_.move(110, 120);
    window_.resize(240, 180);
    QApplication::processEvents();
    EXPECT_EQ(stored(kClock), QRect(110, 120, 240, 180));

    store_.writes = 0;
    window_.setWindowState(GetParam());
    QApplication::processEvents();
    aligner_.savePlacement();
    EXPECT_EQ(store_.writes, 0);

    window_.setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_EQ(stored(kClock), QRect(110, 120, 240, 180));
}

INSTANTIATE_TEST_SUITE_P(States, ImposedStateTest,
                         testing::Values(Qt::WindowMinimized, Qt::WindowMaximized,
                                         Qt::WindowFullScreen),
                         [](const auto& info) {
                             if (info.param == Qt::WindowMinimized) {
                                 return "Minimized";
                             }
                             return info.param == Qt::WindowMaximized ? "Maximized" : "FullScreen";
                         });

// A drag moves the window many times a second; each move must cost one rewrite of the
// settings file, not one per value.
TEST_F(WindowAlignerTest, EachMoveIsSavedAsOneUpdate) {
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    window_.show();
    QApplication::processEvents();
    store_.writes = 0;
    for (int step = 1; step <= 19; ++step) {
        window_.move(30 + step * 5, 40 + step * 3);
        QApplication::processEvents();
    }
    EXPECT_EQ(store_.writes, 19);
    EXPECT_EQ(stored(kClock), QRect(125, 97, 200, 200));
}

// A size the program gives to fit a place is not the user's: moves save the size before it,
// until the user resizes the window.
TEST_F(WindowAlignerTest, ASizeFittedByTheProgramIsNotSaved) {
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    aligner_.resizeUnsaved(QSize(150, 120));
    aligner_.resizeUnsaved(QSize(160, 110));
    window_.show();
    window_.move(50, 60);
    QApplication::processEvents();
    EXPECT_EQ(window_.size(), QSize(160, 110));
    EXPECT_EQ(stored(kClock), QRect(50, 60, 200, 200));

    window_.resize(180, 170);
    window_.move(70, 80);
    QApplication::processEvents();
    EXPECT_EQ(stored(kClock), QRect(70, 80, 180, 170));
}

// The batch still reaches the disk at once: another reader of the file sees all four values.
TEST_F(WindowAlignerTest, APlacementIsOnDiskAtOnce) {
    QTemporaryDir folder;
    const QString file = folder.filePath("placement.conf");
    Settings settings(file);
    CWindowAligner aligner(settings);
    QWidget window;
    window.move(30, 40);
    window.resize(200, 200);
    aligner.initForWindow(&window, nullptr, true, kClock, false);
    window.show();
    QApplication::processEvents();
    window.move(61, 72);
    window.resize(150, 130);
    QApplication::processEvents();
    const Settings reader(file);
    auto read = [&](PlacementPart part) {
        return reader.readInt(settings::windowLayoutKey(kClock, part), -1);
    };
    EXPECT_EQ(QRect(read(PlacementPart::X), read(PlacementPart::Y), read(PlacementPart::W),
                    read(PlacementPart::H)),
              QRect(61, 72, 150, 130));
}

TEST_F(WindowAlignerTest, RestoringAShownWindowWritesNothing) {
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    window_.show();
    QApplication::processEvents();
    store(kClock, QRect(300, 200, 150, 120));
    aligner_.restorePlacement();
    EXPECT_EQ(store_.writes, 0);
    EXPECT_EQ(placement(window_), QRect(300, 200, 150, 120));
}

// What the clock does when the screens change: the user's last placement stays stored, the
// correction made for a smaller desktop does not replace it.
TEST_F(WindowAlignerTest, AScreenCorrectionIsNotSaved) {
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    window_.show();
    QApplication::processEvents();
    window_.move(790, 790);
    QApplication::processEvents();
    ASSERT_EQ(stored(kClock), QRect(790, 790, 200, 200));
    store_.writes = 0;
    aligner_.withoutSaving([&] {
        window_.resize(300, 300);
        aligner_.keepOnScreen();
    });
    QApplication::processEvents();
    EXPECT_EQ(placement(window_), QRect(500, 500, 300, 300));
    EXPECT_EQ(store_.writes, 0);
    EXPECT_EQ(stored(kClock), QRect(790, 790, 200, 200));
}

// The window manager pushes windows about when the screens change (openbox left 20 pixels of
// a clock showing on a screen that shrank); those moves are not the user's placement.
TEST_F(WindowAlignerTest, MovesRightAfterAScreenChangeAreNotSaved) {
    aligner_.initForWindow(&window_, nullptr, true, kClock, false);
    window_.show();
    window_.move(300, 200);
    QApplication::processEvents();
    ASSERT_EQ(stored(kClock), QRect(300, 200, 200, 200));
    QScreen* screen = QGuiApplication::primaryScreen();
    emit screen->geometryChanged(screen->geometry());
    window_.move(780, 580);
    QApplication::processEvents();
    EXPECT_EQ(stored(kClock), QRect(300, 200, 200, 200));

    QThread::msleep(CWindowAligner::kScreenSettleMs + 100);
    window_.move(320, 210);
    QApplication::processEvents();
    EXPECT_EQ(stored(kClock), QRect(320, 210, 200, 200)) << "later moves are saved again";
}

// Once armed, grows its window on its next resize, as a control whose size feeds back into
// the window's would.
class GrowingControl : public QWidget {
public:
    using QWidget::QWidget;
    bool armed = false;

protected:
    void resizeEvent(QResizeEvent* /*event*/) override {
        if (armed) {
            armed = false;
            window()->resize(window()->size() + QSize(10, 10));
        }
    }
};

TEST_F(WindowAlignerTest, ALayoutPassDoesNotReenterItself) {
    window_.resize(300, 200);
    GrowingControl control(&window_);
    control.setGeometry(10, 10, 50, 50);
    aligner_.initForWindow(&window_, nullptr, true, settings::kOptionsWindow, false);
    aligner_.addWindow(&control, CWindowAligner::StretchRight);
    window_.show();
    QApplication::processEvents();
    store_.writes = 0;
    control.armed = true;

    window_.resize(400, 200);
    EXPECT_EQ(store_.writes, 1) << "one pass, one save";
    EXPECT_EQ(window_.size(), QSize(410, 210));
}

struct AnchorRow {
    const char* name;
    unsigned flags;
    QSize newSize;
    bool enforceMinimum;
    QRect expected;
};
void PrintTo(const AnchorRow& row, std::ostream* out) {
    *out << row.name;
}

class AnchorTest : public WindowAlignerTest, public testing::WithParamInterface<AnchorRow> {};

// A 50 x 20 control at (20, 30) in a 300 x 200 window.
TEST_P(AnchorTest, ControlFollowsItsEdges) {
    window_.resize(300, 200);
    QWidget control(&window_);
    control.setGeometry(20, 30, 50, 20);
    aligner_.initForWindow(&window_, nullptr, GetParam().enforceMinimum, "", false);
    aligner_.addWindow(&control, GetParam().flags);
    window_.show();
    window_.resize(GetParam().newSize);
    QApplication::processEvents();
    EXPECT_EQ(control.geometry(), GetParam().expected);
}

constexpr QSize kLarger(400, 250);
constexpr QSize kSmaller(250, 150);

INSTANTIATE_TEST_SUITE_P(
    Flags, AnchorTest,
    testing::Values(AnchorRow{"Unanchored", 0, kLarger, true, QRect(20, 30, 50, 20)},
                    AnchorRow{"MoveRight", 1, kLarger, true, QRect(120, 30, 50, 20)},
                    AnchorRow{"MoveDown", 2, kLarger, true, QRect(20, 80, 50, 20)},
                    AnchorRow{"BottomRightCorner", 3, kLarger, true, QRect(120, 80, 50, 20)},
                    AnchorRow{"StretchRight", 4, kLarger, true, QRect(20, 30, 150, 20)},
                    AnchorRow{"MoveBeatsStretch", 5, kLarger, true, QRect(120, 30, 50, 20)},
                    AnchorRow{"StretchDown", 8, kLarger, true, QRect(20, 30, 50, 70)},
                    AnchorRow{"MoveRightStretchDown", 9, kLarger, true, QRect(120, 30, 50, 70)},
                    AnchorRow{"StretchBoth", 12, kLarger, true, QRect(20, 30, 150, 70)},
                    AnchorRow{"HighFlagsMeanNothing", 16, kLarger, true, QRect(20, 30, 50, 20)},
                    AnchorRow{"SmallerActsAsInitial", 15, kSmaller, true, QRect(20, 30, 50, 20)},
                    AnchorRow{"SmallerMovesBack", 3, kSmaller, false, QRect(-30, -20, 50, 20)},
                    AnchorRow{"SmallerNeverNegative", 12, QSize(40, 40), false,
                              QRect(20, 30, 0, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowAlignerTest, ARecreatedControlIsFoundByNameAndKeepsItsMargins) {
    window_.resize(300, 200);
    auto ok = std::make_unique<QWidget>(&window_);
    ok->setObjectName("ok");
    ok->setGeometry(240, 170, 50, 20);
    aligner_.initForWindow(&window_, nullptr, true, "", false);
    aligner_.addWindow(ok.get(), CWindowAligner::MoveRight | CWindowAligner::MoveDown, "ok");
    window_.show();
    ok = std::make_unique<QWidget>(&window_);
    ok->setObjectName("ok");
    ok->resize(50, 20);
    window_.resize(400, 250);
    QApplication::processEvents();
    EXPECT_EQ(ok->pos(), QPoint(340, 220));
}

TEST_F(WindowAlignerTest, MinimumSizeAndGripFollowTheInitialSize) {
    QWidget design;
    design.resize(260, 180);
    aligner_.initForWindow(&window_, &design, true, "", false);
    ASSERT_TRUE(aligner_.applyMinimumTrackSize());
    aligner_.showSizeGrip();
    window_.show();
    window_.resize(100, 100);
    EXPECT_EQ(window_.size(), QSize(260, 180));
    window_.resize(330, 270);
    QApplication::processEvents();
    EXPECT_EQ(aligner_.sizeGrip()->geometry().bottomRight(), QPoint(329, 269));

    design.resize(0, 0);
    aligner_.initForWindow(&window_, &design, true, "", false);
    EXPECT_FALSE(aligner_.applyMinimumTrackSize());
}

// A 300 x 200 window shrinks until its controls would meet: a fixed button row's left part
// and its right-anchored buttons, a stretched list above them down to its own minimum.
TEST_F(WindowAlignerTest, TheCompactSizeKeepsControlsApartAndStretchedOnesAtTheirMinimum) {
    window_.resize(300, 200);
    QWidget list(&window_);
    list.setGeometry(10, 10, 280, 140);
    list.setMinimumSize(100, 60);
    QWidget left(&window_);
    left.setGeometry(10, 160, 60, 30);
    QWidget right(&window_);
    right.setGeometry(200, 160, 90, 30);
    aligner_.initForWindow(&window_, nullptr, true, "", false);
    aligner_.addWindow(&list, CWindowAligner::StretchRight | CWindowAligner::StretchDown);
    aligner_.addWindow(&left, CWindowAligner::MoveDown);
    aligner_.addWindow(&right, CWindowAligner::MoveRight | CWindowAligner::MoveDown);
    // Across: the right buttons may come 130 - 6 nearer the left ones, the list lose 180.
    // Down: the list may lose 80, the buttons come up 150 - 6 towards it.
    const QSize compact = aligner_.compactSize(6);
    EXPECT_EQ(compact, QSize(300 - 124, 200 - 80));
    EXPECT_EQ(aligner_.compactSize(200), QSize(300, 200))
        << "a gap wider than any room there leaves nothing to give";

    aligner_.setMinimumLayoutSize(compact);
    ASSERT_TRUE(aligner_.applyMinimumTrackSize());
    window_.show();
    window_.resize(50, 50);
    QApplication::processEvents();
    EXPECT_EQ(window_.size(), compact);
    EXPECT_FALSE(left.geometry().intersects(right.geometry()));
    EXPECT_FALSE(list.geometry().intersects(right.geometry()));
    EXPECT_EQ(list.size(), QSize(176 - 20, 60));
    aligner_.setMinimumLayoutSize(QSize(500, 500));
    EXPECT_EQ(aligner_.minimumLayoutSize(), QSize(300, 200)) << "never above the design";
}

// A window that moves itself (the clock) saves only what the user did through it, once the
// window system shows it; what a window manager or compositor does to it is never saved.
class UserChangesTest : public WindowAlignerTest {
protected:
    void SetUp() override {
        WindowAlignerTest::SetUp();
        aligner_.saveOnlyUserChanges();
        aligner_.initForWindow(&window_, nullptr, true, kClock, false);
        window_.show();
        QApplication::processEvents();
        store_.writes = 0;
    }
    static void waitForTheAnswer() { QTest::qWait(CWindowAligner::kConfirmMs + 150); }
};

TEST_F(UserChangesTest, ImposedMovesAndResizesAreNeverSaved) {
    // Centred, tiled, put into a frame: all arrive as moves and resizes of the window.
    window_.move(300, 300);
    window_.resize(800, 760);
    window_.move(0, 0);
    waitForTheAnswer();
    EXPECT_EQ(store_.writes, 0);
    EXPECT_EQ(stored(kClock), QRect(-1, -1, -1, -1));
}

TEST_F(UserChangesTest, AUserMoveOrResizeIsSavedOnceTheWindowShowsIt) {
    aligner_.userChange([&] { window_.move(110, 120); });
    EXPECT_EQ(store_.writes, 0) << "not before the window system has answered";
    waitForTheAnswer();
    EXPECT_EQ(stored(kClock), QRect(110, 120, 200, 200));

    aligner_.userChange([&] { window_.resize(150, 140); });
    waitForTheAnswer();
    EXPECT_EQ(stored(kClock), QRect(110, 120, 150, 140));
    EXPECT_EQ(store_.writes, 2);
}

TEST_F(UserChangesTest, ADragIsSavedOnceAtItsEnd) {
    for (int step = 1; step <= 15; ++step) {
        aligner_.userChange([&] { window_.move(30 + step * 4, 40 + step * 2); });
        QApplication::processEvents();
    }
    waitForTheAnswer();
    EXPECT_EQ(store_.writes, 1);
    EXPECT_EQ(stored(kClock), QRect(90, 70, 200, 200));
}

// sway through XWayland answers a floating window's move by centring it again, and weston
// by a frame at 0,0: the user's drag is then not where the window is, and nothing is saved.
TEST_F(UserChangesTest, AUserMoveTheWindowSystemPlacedElsewhereIsNotSaved) {
    aligner_.userChange([&] { window_.move(110, 120); });
    window_.move(300, 300);
    waitForTheAnswer();
    EXPECT_EQ(store_.writes, 0);

    aligner_.userChange([&] { window_.resize(150, 140); });
    window_.resize(800, 760);
    waitForTheAnswer();
    EXPECT_EQ(store_.writes, 0);
}

TEST_F(UserChangesTest, AChangeWaitingAtTheEndIsStillSaved) {
    aligner_.userChange([&] { window_.move(210, 220); });
    aligner_.settleUserChange();
    EXPECT_EQ(stored(kClock), QRect(210, 220, 200, 200));

    {
        CWindowAligner closing(store_);
        closing.saveOnlyUserChanges();
        closing.initForWindow(&window_, nullptr, true, kClock, false);
        closing.userChange([&] { window_.move(230, 240); });
    }
    EXPECT_EQ(stored(kClock), QRect(230, 240, 200, 200));
}

TEST_F(UserChangesTest, RestoringAndScreenCorrectionsWriteNothing) {
    store(kClock, QRect(790, 790, 200, 200));
    aligner_.restorePlacement();
    aligner_.keepOnScreen();
    waitForTheAnswer();
    EXPECT_EQ(store_.writes, 0);
    EXPECT_EQ(placement(window_), QRect(600, 600, 200, 200));
}

} // namespace
