// The clock window headless: start-up state, commands, their settings and the menu's marks.
#include "app/desktop/clock_places.h"
#include "app/desktop/clock_request.h"
#include "app/desktop/settings.h"
#include "app/desktop/thread_priority.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/help_links.h"
#include "app/dialogs/window_aligner.h"
#include "app/presentation/input_shape.h"
#include "app/window/clock_pointer.h"
#include "app/window/menu_catch.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/int_property.h"
#include "model/percent_property.h"
#include "model/utf.h"
#include "render/frame_renderer.h"
#include "resources/default_scheme.h"
#include "tests/app/window/clock_window_probe.h"
#include "tests/image_bombs.h"
#include "time/machine_zone.h"
#include "time/system_zone_table.h"
#include "time/zone_slots.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <random>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

// Whether the window shows the built-in scheme, property for property.
bool showsTheBuiltInScheme(CVelmoraDlg& window) {
    return schemeBytes(ClockWindowProbe(window).clock()) == schemeBytes(*readDefaultScheme());
}

// The input bits and region of a whole frame, as the window builds them box by box.
QImage inputBits(const QImage& frame, const QSize& logicalSize) {
    QImage bits = InputShape::emptyBits(logicalSize);
    InputShape::update(bits, frame, bits.rect());
    return bits;
}

QRegion inputRegion(const QImage& frame, const QSize& logicalSize) {
    return InputShape::region(inputBits(frame, logicalSize));
}

class ClockWindowTest : public testing::Test {
protected:
    void SetUp() override {
        settings_ = std::make_unique<Settings>(folder_.filePath("clock.conf"));
    }

    // A tray probe stands for a desktop with or without a tray; none asks the platform. A
    // wall clock stands for the system's.
    std::unique_ptr<CVelmoraDlg> start(ClockTray::Probe trayProbe = {},
                                       TickSchedule::WallClock wallClock = {}) {
        ClockWindowOptions options;
        options.trayProbe = std::move(trayProbe);
        options.wallClock = std::move(wallClock);
        auto window = std::make_unique<CVelmoraDlg>(*settings_, std::move(options));
        window->initialize();
        QApplication::processEvents();
        return window;
    }
    // A scheme whose background is a width x height image, recorded as the last one loaded.
    void useSchemeWithBackground(int width, int height) {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QString png = folder_.filePath("background.png");
        ASSERT_TRUE(picture.save(png));
        Clock clock;
        clock.findChildAs<FileProperty>(u"BackgroundImage")->chooseSource(png.toStdU16String());
        std::string error;
        std::string scheme = folder_.filePath("red.Velmora").toStdString();
        ASSERT_TRUE(saveSchemeFile(clock, scheme, &error)) << error;
        settings_->writeText(settings::kSchemeLoaded,
                             QString::fromStdString(scheme).toStdU16String());
    }
    std::vector<QString> checked(const auto& actions) {
        std::vector<QString> labels;
        for (QAction* action : actions) {
            if (action->isChecked()) {
                labels.push_back(action->text());
            }
        }
        return labels;
    }

    QTemporaryDir folder_;
    std::unique_ptr<Settings> settings_;
};

TEST_F(ClockWindowTest, FirstRunStartsWithDefaults) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_TRUE(probe.view().stayOnTop);
    EXPECT_FALSE(probe.view().clickThrough);
    EXPECT_FALSE(probe.view().hiddenToTray);
    EXPECT_EQ(probe.view().overallAlpha, 255);
    EXPECT_EQ(probe.view().threadPriority, 0);
    EXPECT_EQ(window->size(), QSize(200, 200));
    EXPECT_TRUE(showsTheBuiltInScheme(*window));
    EXPECT_FALSE(probe.lastFrame().isNull());
    // The embedded scheme records no path.
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), u"");
    std::vector<velmora::ZoneRecord> table;
    velmora::readSystemZoneTable(table);
    std::u16string machine = velmora::machineZoneDisplayName(table);
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(velmora::zoneSlot(slot).displayNameView(), machine) << slot;
    }
}

// The icon is made when something first shows it: an idle clock is in no task bar.
TEST_F(ClockWindowTest, TheProgramIconComesWithTheMenu) {
    QApplication::setWindowIcon(QIcon());
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    probe.menu();
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(window->windowIcon().isNull()) << "the dialogs it opens take it from there";
}

// A stored opacity the menu cannot show (an invisible clock, or one whose low byte is 0)
// becomes its nearest step; one the menu might not list but that shows is kept.
TEST_F(ClockWindowTest, StoredOpacityOutsideItsRangeIsTheNearestMenuStep) {
    const std::pair<std::int32_t, int> rows[] = {
        {0, 13},          {-1, 13}, {INT32_MIN, 13}, {256, 255}, {512, 255},
        {INT32_MAX, 255}, {1, 1},   {7, 7},          {128, 128}, {255, 255}};
    for (const auto& [stored, used] : rows) {
        EXPECT_EQ(ViewSettings::usableOverallAlpha(stored), used) << stored;
    }
    settings_->writeInt(settings::kOverallAlpha, 256);
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_EQ(probe.view().overallAlpha, 255);
}

TEST_F(ClockWindowTest, AStoredSizeTooSmallToGrabIsTheSmallestADragAllows) {
    settings_->writeInt(
        settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::W), 1);
    settings_->writeInt(
        settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::H), 1);
    auto window = start();
    EXPECT_EQ(window->size(), QSize(CVelmoraDlg::kCornerSize + 1, CVelmoraDlg::kCornerSize + 1));
}

// A scheme recorded under a file name that is not UTF-8 is found again at the next start.
TEST_F(ClockWindowTest, ASchemeWhoseNameIsNotUtf8IsLoadedAtTheNextStart) {
    useSchemeWithBackground(30, 20);
    const std::filesystem::path odd = folder_.filePath("red").toStdString() + "\xe9.Velmora";
    std::filesystem::rename(folder_.filePath("red.Velmora").toStdString(), odd);
    settings_->writeText(settings::kSchemeLoaded, fromPath(odd));
    settings_ = std::make_unique<Settings>(folder_.filePath("clock.conf"));
    EXPECT_EQ(toPath(settings_->readText(settings::kSchemeLoaded)), odd);
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_EQ(probe.clock().backgroundWidth(), 30);
}

// A background that would take minutes to decode does not hold up the clock: it starts
// without the background, and a resize draws anew without decoding it again (how long each
// takes is measured by bench/clock_window_bench.cpp).
TEST_F(ClockWindowTest, ABackgroundOverTheDecodeBudgetIsLeftOutAtOnce) {
    const QByteArray bomb = image_bombs::jpegScanBomb(5600, 20000);
    const QString image = folder_.filePath("bomb.jpg");
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bomb);
    file.close();
    Clock clock;
    clock.findChildAs<FileProperty>(u"BackgroundImage")->chooseSource(image.toStdU16String());
    std::string error;
    const std::string scheme = folder_.filePath("bomb.Velmora").toStdString();
    ASSERT_TRUE(saveSchemeFile(clock, scheme, &error)) << error;
    settings_->writeText(settings::kSchemeLoaded, fromPath(scheme));
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_FALSE(probe.lastFrame().isNull());
    EXPECT_EQ(probe.clock().backgroundWidth(), 0);
    window->resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(probe.clock().backgroundWidth(), 0);
    EXPECT_EQ(probe.lastFrame().size(), QSize(300, 300) * window->devicePixelRatio());
}

// The links the desktop is asked to open.
class OpenedLinks : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// Each item of the menu's "Web help" opens the page it names, and feedback without an address
// says where to report instead.
TEST_F(ClockWindowTest, EachWebHelpItemOpensItsPage) {
    if (!HelpConfig::fromBuild().baseUrl.isEmpty()) {
        GTEST_SKIP() << "this build's help is a web copy";
    }
    OpenedLinks opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &opened, "open");
    auto window = start();
    const ClockWindowProbe probe(*window);
    QMenu* web = nullptr;
    for (QAction* item : probe.menu().menu().actions()) {
        if (item->menu() != nullptr && item->text() == QStringLiteral("&Web help")) {
            web = item->menu();
        }
    }
    ASSERT_NE(web, nullptr);
    const auto item = [web](const char* label) {
        for (QAction* action : web->actions()) {
            if (action->text() == QLatin1String(label)) {
                return action;
            }
        }
        return static_cast<QAction*>(nullptr);
    };
    const std::pair<const char*, const char*> pages[] = {
        {"Official VELMORA web site...", "index.html"},
        {"Usage manual...", "usage.html"},
        {"Customizing tutorial...", "customizing.html"},
        {"Frequently asked questions (FAQ)...", "faq.html"},
        {"Latest version...", "download.html"},
    };
    for (const auto& [label, page] : pages) {
        SCOPED_TRACE(label);
        QAction* action = item(label);
        ASSERT_NE(action, nullptr);
        const qsizetype before = opened.urls.size();
        action->trigger();
        ASSERT_EQ(opened.urls.size(), before + 1);
        EXPECT_EQ(QFileInfo(opened.urls.back().toLocalFile()).fileName(), QLatin1String(page));
        EXPECT_TRUE(QFileInfo(opened.urls.back().toLocalFile()).isFile());
    }

    QAction* feedback = item("Send e-mail feedback...");
    ASSERT_NE(feedback, nullptr);
    const qsizetype before = opened.urls.size();
    QString shown;
    QTimer::singleShot(50, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    feedback->trigger();
    if (HelpConfig::fromBuild().feedbackAddress.trimmed().isEmpty()) {
        EXPECT_EQ(shown, feedbackUnsetMessage());
        EXPECT_EQ(opened.urls.size(), before);
    } else {
        ASSERT_EQ(opened.urls.size(), before + 1);
        EXPECT_EQ(opened.urls.back().scheme(), QStringLiteral("mailto"));
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

// "Play sounds" is kept and marked, a launch's alarm is named in the menu and the tooltip, a
// middle click opens the calendar beside the clock, and "Alarms..." its dialog.
TEST_F(ClockWindowTest, SoundsAlarmsAndTheCalendarFromTheClock) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    // No sound reaches the machine's speakers from a test.
    probe.chimes().setSoundPlayer([](const QUrl&) { return nullptr; });
    probe.menu().action(MenuCommand::PlaySounds)->trigger();
    EXPECT_EQ(settings_->readInt(settings::kPlaySounds), 1);
    probe.updateMenu();
    EXPECT_TRUE(probe.menu().action(MenuCommand::PlaySounds)->isChecked());
    QAction* next = probe.menu().action(MenuCommand::NextAlarm);
    EXPECT_FALSE(next->isVisible());

    ClockRequest alarm;
    alarm.kind = ClockRequest::Kind::Alarm;
    alarm.value = 7 * 60 + 30;
    alarm.label = QStringLiteral("Run & swim");
    window->takeRequest(alarm);
    probe.updateMenu();
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(next->text().endsWith(QLatin1String("07:30 Run && swim")))
        << next->text().toStdString();
    EXPECT_TRUE(window->toolTip().startsWith(QLatin1String("Next alarm: ")));

    QTest::mouseClick(window.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(100, 100));
    ASSERT_NE(probe.dialogs().calendar(), nullptr);
    EXPECT_FALSE(probe.dialogs().calendar()->geometry().intersects(window->geometry()));
    probe.dialogs().calendar()->close();
    probe.menu().action(MenuCommand::Alarms)->trigger();
    ASSERT_NE(probe.dialogs().alarmsDialog(), nullptr);
    EXPECT_TRUE(probe.dialogs().alarmsDialog()->isVisible());
    delete probe.dialogs().alarmsDialog();
}

TEST_F(ClockWindowTest, TransparencyAndPriorityAreWrittenAndMarked) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    probe.menu().transparencyActions()[7]->trigger();
    EXPECT_EQ(probe.view().overallAlpha, 166);
    EXPECT_EQ(settings_->readInt(settings::kOverallAlpha), 166);
    probe.menu().priorityActions()[1]->trigger();
    EXPECT_EQ(settings_->readInt(settings::kThreadPriority), 1);
    probe.updateMenu();
    EXPECT_EQ(checked(probe.menu().transparencyActions()), std::vector<QString>{"35%"});
    EXPECT_EQ(checked(probe.menu().priorityActions()), std::vector<QString>{"Above normal"});
    EXPECT_TRUE(probe.menu().action(MenuCommand::StayOnTop)->isChecked());
    EXPECT_EQ(probe.menu().menu().defaultAction(), probe.menu().action(MenuCommand::ClickThrough));
    // Enabled while no customize dialog is open; the dialog's own tests cover the greying.
    EXPECT_TRUE(probe.menu().action(MenuCommand::Customize)->isEnabled());

    probe.menu().action(MenuCommand::StayOnTop)->trigger();
    EXPECT_EQ(settings_->readInt(settings::kStayOnTop), 0);
    // A stored alpha that is not a menu value checks nothing.
    settings_->writeInt(settings::kOverallAlpha, 100);
    auto second = start();
    const ClockWindowProbe restarted(*second);
    restarted.updateMenu();
    EXPECT_TRUE(checked(restarted.menu().transparencyActions()).empty());
    EXPECT_FALSE(restarted.view().stayOnTop);
}

TEST_F(ClockWindowTest, SizePresetsFollowTheBackgroundImage) {
    useSchemeWithBackground(301, 201);
    auto window = start();
    const ClockWindowProbe probe(*window);
    ASSERT_EQ(probe.clock().backgroundWidth(), 301);
    probe.menu().sizeActions()[0]->trigger();
    EXPECT_EQ(window->size(), QSize(75, 50));
    probe.menu().sizeActions()[3]->trigger();
    EXPECT_EQ(window->size(), QSize(301, 201));
    probe.updateMenu();
    EXPECT_EQ(checked(probe.menu().sizeActions()), std::vector<QString>{"100%"});
    EXPECT_FALSE(probe.menu().action(MenuCommand::OtherSize)->isChecked());
    window->resize(250, 260);
    probe.updateMenu();
    EXPECT_TRUE(checked(probe.menu().sizeActions()).empty());
    EXPECT_TRUE(probe.menu().action(MenuCommand::OtherSize)->isChecked());
}

// A stored size or a size preset beyond the desktop would ask for frames of gigabytes.
TEST_F(ClockWindowTest, NeverLargerThanTheDesktop) {
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    settings_->writeInt(
        settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::W),
        2'000'000'000);
    settings_->writeInt(
        settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::H),
        1'500'000'000);
    useSchemeWithBackground(desktop.width() + 100, 300);
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_EQ(window->size(), QSize(desktop.width(), desktop.height()));
    probe.menu().sizeActions()[3]->trigger();
    EXPECT_EQ(window->size(), QSize(desktop.width(), 300)) << "100%";
    probe.menu().sizeActions()[6]->trigger();
    EXPECT_EQ(window->size(), QSize(desktop.width(), std::min(600, desktop.height()))) << "200%";
    EXPECT_EQ(probe.lastFrame().size(), window->size());
}

// A placement stored for a larger screen left only a transparent sliver that could not be
// grabbed; the correction is the program's, so the stored placement stays the user's.
TEST_F(ClockWindowTest, APlacementMostlyOffScreenComesBackUnsaved) {
    using settings::PlacementPart;
    auto key = [](PlacementPart part) {
        return settings::windowLayoutKey(settings::kClockWindow, part);
    };
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect stored(area.right() - 19, area.top() - 180, 200, 200);
    settings_->writeInt(key(PlacementPart::X), stored.x());
    settings_->writeInt(key(PlacementPart::Y), stored.y());
    settings_->writeInt(key(PlacementPart::W), stored.width());
    settings_->writeInt(key(PlacementPart::H), stored.height());
    auto window = start();
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(QRect(window->pos(), window->size()),
              QRect(area.right() - 199, area.top(), 200, 200));
    Settings reread(folder_.filePath("clock.conf"));
    EXPECT_EQ(QRect(reread.readInt(key(PlacementPart::X)), reread.readInt(key(PlacementPart::Y)),
                    reread.readInt(key(PlacementPart::W)), reread.readInt(key(PlacementPart::H))),
              stored);
}

TEST_F(ClockWindowTest, WithoutATrayClickThroughIsNeverSwitchedOn) {
    settings_->writeInt(settings::kClickThrough, 1);
    auto window = start([] { return false; });
    const ClockWindowProbe probe(*window);
    EXPECT_FALSE(probe.view().clickThrough);
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, QPoint(100, 100));
    probe.runCommand(MenuCommand::HideToTray);
    EXPECT_FALSE(probe.view().clickThrough);
    EXPECT_FALSE(probe.view().hiddenToTray);
    probe.updateMenu();
    EXPECT_FALSE(probe.menu().action(MenuCommand::ClickThrough)->isEnabled());
    // The stored choice is kept for a desktop that has a tray.
    EXPECT_EQ(settings_->readInt(settings::kClickThrough), 1);
}

TEST_F(ClockWindowTest, EnterExitsAndEscapeDoesNothing) {
    auto window = start();
    QSignalSpy exits(window.get(), &CVelmoraDlg::exitRequested);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &escape);
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(window->isVisible());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_EQ(exits.count(), 1);
}

// Hidden instead, the clock would leave a process with nothing on screen to end it.
TEST_F(ClockWindowTest, TheWindowManagersCloseExits) {
    auto window = start();
    QSignalSpy exits(window.get(), &CVelmoraDlg::exitRequested);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(exits.count(), 1);
}

// A minimised tool window has no taskbar entry and, outside click-through, no tray icon.
TEST_F(ClockWindowTest, AMinimiseIsUndoneAtOnce) {
    auto window = start();
    // The window system reports each state change back, and the restore waits for it.
    const auto settle = [] {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
        }
    };
    window->showMinimized();
    settle();
    EXPECT_FALSE(window->isMinimized()) << "minimised by the program";
    EXPECT_TRUE(window->isVisible());
    // As the window manager reports it: on the native window.
    window->windowHandle()->showMinimized();
    settle();
    EXPECT_FALSE(window->isMinimized()) << "minimised by the window system";
    EXPECT_EQ(window->windowHandle()->windowStates() & Qt::WindowMinimized, 0);
    EXPECT_TRUE(window->isVisible());
}

// A tray host that starts after the clock, or ends before it: seen when the menu opens and
// on the periodic check of a tick.
TEST_F(ClockWindowTest, TrayAvailabilityIsAskedAgain) {
    using namespace std::chrono;
    bool tray = false;
    int asked = 0;
    system_clock::time_point now(seconds(1'800'000'002));
    auto window = start(
        [&] {
            ++asked;
            return tray;
        },
        [&now] { return now; });
    const ClockWindowProbe probe(*window);
    probe.updateMenu();
    EXPECT_FALSE(probe.menu().action(MenuCommand::ClickThrough)->isEnabled());
    EXPECT_FALSE(probe.menu().action(MenuCommand::HideToTray)->isEnabled());

    tray = true;
    probe.updateMenu();
    EXPECT_TRUE(probe.menu().action(MenuCommand::ClickThrough)->isEnabled());
    EXPECT_TRUE(probe.menu().action(MenuCommand::HideToTray)->isEnabled());
    probe.runCommand(MenuCommand::ClickThrough);
    EXPECT_TRUE(probe.view().clickThrough);

    // The tray host leaves: the tick that checks brings the clock back to normal.
    probe.ticks().tick();
    tray = false;
    now += seconds(1);
    asked = 0;
    probe.ticks().tick();
    EXPECT_EQ(asked, 1) << "every third second";
    EXPECT_FALSE(probe.view().clickThrough);
    EXPECT_FALSE(window->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_EQ(settings_->readInt(settings::kClickThrough), 1) << "kept for a session with a tray";
    now += seconds(1);
    probe.ticks().tick();
    EXPECT_EQ(asked, 1) << "not on the other seconds";

    // Hidden to the tray, then the tray goes: the clock comes back.
    tray = true;
    probe.updateMenu();
    probe.runCommand(MenuCommand::HideToTray);
    QApplication::processEvents();
    ASSERT_FALSE(window->isVisible());
    tray = false;
    probe.updateMenu();
    QApplication::processEvents();
    EXPECT_FALSE(probe.view().hiddenToTray);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(probe.menu().action(MenuCommand::HideToTray)->isEnabled());
}

// Shown active, a click-through clock would take the user's focus and show its red marks.
// The offscreen platform activates every window it shows, so what is checked is what the X11
// platform reads when it maps the window: the native window was made with the request not
// to activate it, which it takes only when it is created. The real-window check sees the
// effect.
TEST_F(ClockWindowTest, StartsWithoutTakingTheFocus) {
    settings_->writeInt(settings::kClickThrough, 1);
    auto window = start([] { return true; });
    const ClockWindowProbe probe(*window);
    ASSERT_TRUE(probe.view().clickThrough);
    EXPECT_TRUE(window->windowHandle()->property("_q_showWithoutActivating").toBool());
}

// The offscreen platform activates a window it shows: an active clock carries green marks in
// its corners, red ones in click-through mode, and none once another window is active.
TEST_F(ClockWindowTest, AnActiveClockShowsItsCornerMarks) {
    auto window = start([] { return true; });
    const ClockWindowProbe probe(*window);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isActiveWindow(); }));
    probe.drawFrame();
    const auto corner = [&] { return probe.lastFrame().pixelColor(2, 2); };
    ASSERT_GT(corner().alpha(), 0);
    EXPECT_GT(corner().green(), corner().red());
    probe.runCommand(MenuCommand::ClickThrough);
    probe.drawFrame();
    ASSERT_GT(corner().alpha(), 0);
    EXPECT_GT(corner().red(), corner().green());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isActiveWindow(); }));
    probe.drawFrame();
    EXPECT_EQ(corner().alpha(), 0);
}

TEST_F(ClockWindowTest, OnlyVisiblePixelsTakeTheMouse) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    QRegion input = inputRegion(probe.lastFrame(), window->size());
    EXPECT_TRUE(input.contains(QPoint(100, 100)));
    // Outside the round dial and away from the corner marks nothing is painted.
    EXPECT_FALSE(input.contains(QPoint(40, 8)));
    EXPECT_FALSE(input.contains(QPoint(160, 192)));
    // At twice the density the region stays in the window's own coordinates.
    QImage doubled = probe.lastFrame().scaled(400, 400);
    QRegion scaled = inputRegion(doubled, QSize(200, 200));
    EXPECT_TRUE(scaled.contains(QPoint(100, 100)));
    EXPECT_FALSE(scaled.contains(QPoint(40, 8)));
}

// Updating the bits box by box, at any offset and width, gives the bits of the whole frame,
// at the window's density and at twice it; an update that changes nothing says so.
TEST(InputBitsTest, BoxByBoxEqualsWhole) {
    std::mt19937 random(7);
    for (int density : {1, 2}) {
        const QSize logical(37, 29);
        QImage frame(logical * density, QImage::Format_ARGB32_Premultiplied);
        QImage bits = inputBits(frame.copy(), logical);
        for (int round = 0; round < 40; ++round) {
            for (int y = 0; y < frame.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
                for (int x = 0; x < frame.width(); ++x) {
                    line[x] = random() % 3 == 0 ? 0 : qRgba(9, 9, 9, 1 + random() % 255);
                }
            }
            const QRect box(random() % 37 - 3, random() % 29 - 3, random() % 40, random() % 32);
            const QImage before = bits.copy();
            const bool changed = InputShape::update(bits, frame, box);
            // Outside the box the bits stay; inside each follows the frame pixel nearest to its
            // centre.
            QImage expected = before.copy();
            for (int y = 0; y < logical.height(); ++y) {
                for (int x = 0; x < logical.width(); ++x) {
                    const QPoint under((2 * x + 1) * density / 2, (2 * y + 1) * density / 2);
                    if (box.contains(x, y)) {
                        expected.setPixel(x, y, qAlpha(frame.pixel(under)) != 0 ? 1 : 0);
                    }
                }
            }
            ASSERT_EQ(bits, expected) << round << " at " << density;
            EXPECT_EQ(changed, bits != before) << round;
            EXPECT_FALSE(InputShape::update(bits, frame, box)) << round;
        }
        frame.fill(Qt::transparent);
        EXPECT_TRUE(InputShape::update(bits, frame, QRect(QPoint(0, 0), logical)));
        EXPECT_EQ(bits, inputBits(frame, logical));
    }
}

// Each second only part of the frame is drawn again, and the input shape is updated there
// alone; it must still equal the shape of the whole frame, also where a hand reaches beyond
// the dial and so changes the outline.
TEST_F(ClockWindowTest, InputShapeFollowsPartialFrames) {
    using namespace std::chrono;
    system_clock::time_point now(seconds(1'800'000'000));
    auto window = start({}, [&now] { return now; });
    const ClockWindowProbe probe(*window);
    auto* hand = probe.clock().findChildAs<ClockObject>(u"");
    ASSERT_NE(hand, nullptr);
    hand->findChildAs<PercentProperty>(u"End")->setValue(140);
    probe.drawFrame();
    for (int second = 0; second < 70; second += 7) {
        now += seconds(7);
        probe.ticks().tick();
        EXPECT_FALSE(probe.lastRedrawn().isEmpty()) << second;
        EXPECT_NE(probe.lastRedrawn(), QRegion(window->rect())) << second;
        EXPECT_EQ(window->mask(), inputRegion(probe.lastFrame(), window->size())) << second;
    }
}

TEST_F(ClockWindowTest, TicksRedrawOnNewSecondsOrForContinuousElements) {
    using namespace std::chrono;
    system_clock::time_point now(seconds(1'800'000'000));
    auto window = start({}, [&now] { return now; });
    const ClockWindowProbe probe(*window);
    int frames = probe.framesDrawn();
    probe.ticks().tick();
    EXPECT_EQ(probe.framesDrawn(), ++frames) << "the first tick always draws";
    now += milliseconds(400);
    probe.ticks().tick();
    EXPECT_EQ(probe.framesDrawn(), frames) << "same second, step-wise: nothing to draw";
    now += milliseconds(700);
    probe.ticks().tick();
    EXPECT_EQ(probe.framesDrawn(), ++frames);

    // A continuous second hand makes every tick draw.
    auto* hand = probe.clock().findChildAs<ClockObject>(u"");
    ASSERT_NE(hand, nullptr);
    hand->findChildAs<IntProperty>(u"TimeValue")->setValue(2);
    probe.drawFrame();
    ++frames;
    EXPECT_TRUE(probe.ticks().continuous());
    now += milliseconds(100);
    probe.ticks().tick();
    now += milliseconds(100);
    probe.ticks().tick();
    EXPECT_EQ(probe.framesDrawn(), frames + 2);

    window->hide();
    QApplication::processEvents();
    frames = probe.framesDrawn();
    now += seconds(5);
    probe.ticks().tick();
    EXPECT_EQ(probe.framesDrawn(), frames) << "a hidden clock draws nothing";
}

// "Smooth motion" is off at first, saved when chosen, and read at the next start; while on, a
// continuous clock ticks at the display's rate and a step-wise one still once a second.
TEST_F(ClockWindowTest, SmoothMotionIsAViewSettingOfTheMenu) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    probe.updateMenu();
    QAction* smooth = probe.menu().action(MenuCommand::SmoothMotion);
    ASSERT_NE(smooth, nullptr);
    EXPECT_TRUE(smooth->isCheckable());
    EXPECT_FALSE(smooth->isChecked());
    EXPECT_FALSE(probe.view().smoothMotion);
    EXPECT_EQ(probe.ticks().ticksPerSecond(), 1);

    probe.runCommand(MenuCommand::SmoothMotion);
    probe.updateMenu();
    EXPECT_TRUE(smooth->isChecked());
    EXPECT_EQ(settings_->readInt(settings::kSmoothMotion), 1);
    EXPECT_EQ(probe.ticks().ticksPerSecond(), 1) << "a step-wise clock stays at one a second";

    auto* hand = probe.clock().findChildAs<ClockObject>(u"");
    ASSERT_NE(hand, nullptr);
    hand->findChildAs<IntProperty>(u"TimeValue")->setValue(2);
    probe.drawFrame();
    // The offscreen screen tells a rate, as most displays do.
    ASSERT_GE(window->screen()->refreshRate(), 1);
    EXPECT_EQ(probe.ticks().ticksPerSecond(),
              static_cast<int>(std::lround(window->screen()->refreshRate())));

    probe.runCommand(MenuCommand::SmoothMotion);
    EXPECT_EQ(settings_->readInt(settings::kSmoothMotion), 0);
    EXPECT_EQ(probe.ticks().ticksPerSecond(), TickSchedule::kContinuousRate);

    settings_->writeInt(settings::kSmoothMotion, 1);
    EXPECT_TRUE(ClockWindowProbe(*start()).view().smoothMotion) << "read at the start";
}

// A drag from a corner square resizes the clock at the edges of that corner; from anywhere
// else, one pixel beside a square included, it moves the clock.
TEST_F(ClockWindowTest, OnlyTheCornerSquaresResize) {
    auto window = start();
    using E = Qt::Edge;
    struct Drag {
        QSize clock;
        QPoint at;
        QPoint by;
        Qt::Edges resizes;
    };
    const QSize usual(200, 200);
    // Where the squares overlap on a small clock, bottom-right comes first, then bottom-left.
    const QSize small(40, 40);
    const Drag drags[] = {
        // QTest takes the point (0, 0) for the middle of the window.
        {usual, {1, 0}, {10, 10}, E::TopEdge | E::LeftEdge},
        {usual, {31, 31}, {10, 10}, E::TopEdge | E::LeftEdge},
        {usual, {32, 0}, {10, 10}, {}},
        {usual, {100, 199}, {10, 10}, {}},
        {usual, {168, 0}, {10, 10}, E::TopEdge | E::RightEdge},
        {usual, {167, 0}, {10, 10}, {}},
        {usual, {199, 199}, {10, 10}, E::BottomEdge | E::RightEdge},
        {usual, {0, 168}, {10, 10}, E::BottomEdge | E::LeftEdge},
        {small, {20, 20}, {10, 10}, E::BottomEdge | E::RightEdge},
        {small, {5, 20}, {-10, 10}, E::BottomEdge | E::LeftEdge},
    };
    for (const Drag& drag : drags) {
        const QRect before(QPoint(300, 300), drag.clock);
        window->setGeometry(before);
        // The pointer's positions on the screen come from the native window's place.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return window->windowHandle()->mapToGlobal(QPoint()) == before.topLeft(); }));
        QTest::mousePress(window.get(), Qt::LeftButton, {}, drag.at);
        QTest::mouseMove(window.get(), drag.at + drag.by);
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, drag.at + drag.by);
        QRect expected = before.translated(drag.resizes ? QPoint() : drag.by);
        expected.setLeft(expected.left() + (drag.resizes & E::LeftEdge ? drag.by.x() : 0));
        expected.setRight(expected.right() + (drag.resizes & E::RightEdge ? drag.by.x() : 0));
        expected.setTop(expected.top() + (drag.resizes & E::TopEdge ? drag.by.y() : 0));
        expected.setBottom(expected.bottom() + (drag.resizes & E::BottomEdge ? drag.by.y() : 0));
        EXPECT_EQ(window->geometry(), expected) << drag.at.x() << "," << drag.at.y();
    }
}

// The mouse on the clock: a drag past the start distance moves it, one from a corner square
// resizes it, a shorter one does nothing, and a double click switches click-through.
TEST_F(ClockWindowTest, TheMouseMovesResizesAndSwitchesClickThrough) {
    auto window = start([] { return true; });
    const ClockWindowProbe probe(*window);
    const QRect before = window->geometry();
    const int tiny = QApplication::startDragDistance() - 1;
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseMove(window.get(), QPoint(100 + tiny / 2, 40 + tiny / 2));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(100 + tiny / 2, 40 + tiny / 2));
    EXPECT_EQ(window->geometry(), before) << "a press that barely moved is a click";

    // Positions are the window's own, and the window follows the pointer.
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseMove(window.get(), QPoint(130, 60));
    QTest::mouseMove(window.get(), QPoint(130, 70));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(window->geometry(), before.translated(60, 50));

    const QRect moved = window->geometry();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(195, 195));
    QTest::mouseMove(window.get(), QPoint(215, 205));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(215, 205));
    EXPECT_EQ(window->geometry(), QRect(moved.topLeft(), QSize(220, 210)));

    ASSERT_FALSE(probe.view().clickThrough);
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(probe.view().clickThrough);
    EXPECT_EQ(settings_->readInt(settings::kClickThrough), 1);
}

// "Lock position" keeps drags and corner resizes from doing anything, from the menu on and at
// the next start; the menu's sizes still apply.
TEST_F(ClockWindowTest, ALockedClockIgnoresDragsButTakesSizePresets) {
    useSchemeWithBackground(300, 160);
    auto window = start();
    const ClockWindowProbe probe(*window);
    QAction* lock = probe.menu().action(MenuCommand::LockPosition);
    probe.updateMenu();
    EXPECT_FALSE(lock->isChecked());
    probe.runCommand(MenuCommand::LockPosition);
    EXPECT_TRUE(probe.view().lockPosition);
    EXPECT_EQ(settings_->readInt(settings::kLockPosition), 1);
    probe.updateMenu();
    EXPECT_TRUE(lock->isChecked());

    const QRect before = window->geometry();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseMove(window.get(), QPoint(130, 60));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(130, 60));
    const QPoint corner(before.width() - 5, before.height() - 5);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, corner);
    QTest::mouseMove(window.get(), corner + QPoint(20, 10));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, corner + QPoint(20, 10));
    EXPECT_EQ(window->geometry(), before);
    probe.menu().sizeActions()[3]->trigger();
    EXPECT_EQ(window->size(), QSize(300, 160));

    window.reset();
    window = start();
    const ClockWindowProbe restarted(*window);
    EXPECT_TRUE(restarted.view().lockPosition);
    restarted.runCommand(MenuCommand::LockPosition);
    const QRect unlocked = window->geometry();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseMove(window.get(), QPoint(130, 60));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(130, 60));
    EXPECT_EQ(window->geometry(), unlocked.translated(30, 20));
}

// "On all workspaces" is on by default and stored as the user leaves it; the menu names the
// clock it belongs to, as its window's title does.
TEST_F(ClockWindowTest, TheMenuNamesItsClockAndKeepsTheWorkspaceChoice) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Velmora"));
    QAction* title = probe.menu().action(MenuCommand::ClockTitle);
    EXPECT_EQ(probe.menu().menu().actions().front(), title);
    EXPECT_EQ(title->text(), QStringLiteral("Velmora"));
    EXPECT_FALSE(title->isEnabled());
    EXPECT_TRUE(probe.view().onAllWorkspaces);
    probe.updateMenu();
    EXPECT_TRUE(probe.menu().action(MenuCommand::OnAllWorkspaces)->isChecked());
    probe.runCommand(MenuCommand::OnAllWorkspaces);
    EXPECT_EQ(settings_->readInt(settings::kOnAllWorkspaces), 0);
    probe.updateMenu();
    EXPECT_FALSE(probe.menu().action(MenuCommand::OnAllWorkspaces)->isChecked());

    window.reset();
    ClockWindowOptions two;
    two.clockName = QStringLiteral("two");
    auto named = std::make_unique<CVelmoraDlg>(*settings_, std::move(two));
    named->initialize();
    const ClockWindowProbe namedProbe(*named);
    EXPECT_FALSE(namedProbe.view().onAllWorkspaces);
    EXPECT_EQ(named->windowTitle(), QStringLiteral("Velmora \u2014 two"));
    EXPECT_EQ(namedProbe.menu().action(MenuCommand::ClockTitle)->text(), named->windowTitle());
    EXPECT_EQ(namedProbe.menu().menu().windowTitle(), named->windowTitle());
}

// A clock never placed by the user opens in the top-right corner of the primary screen's free
// area, the same at every start; one the user placed stays where it was put.
TEST_F(ClockWindowTest, ANeverPlacedClockTakesTheTopRightCorner) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner(area.right() + 1 - ClockPlaces::kMargin - 200,
                        area.top() + ClockPlaces::kMargin);
    for (int start_ = 0; start_ < 2; ++start_) {
        auto window = start();
        EXPECT_EQ(window->pos(), corner) << start_;
    }
    EXPECT_FALSE(CWindowAligner::hasStoredPosition(*settings_, settings::kClockWindow));
    settings_->writeInt(
        settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::X), 40);
    settings_->writeInt(
        settings::windowLayoutKey(settings::kClockWindow, settings::PlacementPart::Y), 50);
    auto window = start();
    EXPECT_EQ(window->pos(), QPoint(40, 50));
}

// On a layer surface the clock hears presses that an open menu's grab does not: each closes
// the menus, a submenu with its menu, and then counts as usual.
TEST_F(ClockWindowTest, APressOnTheClockClosesOpenMenus) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    ClockPointer pointer(*window);
    QMenu& menu = probe.menu().menu();
    QMenu submenu;
    submenu.addAction(QStringLiteral("inner"));
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        menu.popup(QPoint(300, 300));
        submenu.popup(QPoint(400, 300));
        ASSERT_EQ(QApplication::activePopupWidget(), &submenu);
        pointer.press(button, QPointF(100, 40), window->geometry().topLeft() + QPoint(100, 40));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << button;
        EXPECT_FALSE(menu.isVisible()) << button;
        EXPECT_FALSE(submenu.isVisible()) << button;
    }
    // The press still began a drag.
    const QRect before = window->geometry();
    const QPoint start = before.topLeft() + QPoint(100, 40);
    menu.popup(QPoint(300, 300));
    pointer.press(Qt::LeftButton, QPointF(100, 40), start);
    pointer.move(Qt::LeftButton, start + QPoint(30, 20));
    pointer.release(Qt::LeftButton, QPointF(130, 60), start + QPoint(30, 20));
    EXPECT_EQ(window->geometry(), before.translated(30, 20));
}

// On a layer surface, what the surfaces that catch presses outside open menus leave alone:
// the menus and submenus open, and the clock's area; nothing when no menu is open.
TEST_F(ClockWindowTest, TheCatchingKeepsOutTheOpenMenus) {
    auto window = start();
    const ClockWindowProbe probe(*window);
    const QRect clock(50, 60, 200, 200);
    EXPECT_TRUE(MenuCatch::keptOut(clock).isEmpty());
    QMenu& menu = probe.menu().menu();
    QMenu submenu;
    submenu.addAction(QStringLiteral("inner"));
    menu.popup(QPoint(300, 300));
    submenu.popup(QPoint(500, 320));
    const QRegion kept = MenuCatch::keptOut(clock);
    EXPECT_EQ(kept, QRegion(menu.frameGeometry()) + submenu.frameGeometry() + clock);
    EXPECT_EQ(MenuCatch::keptOut(QRect()), QRegion(menu.frameGeometry()) + submenu.frameGeometry());
    submenu.close();
    menu.close();
    EXPECT_TRUE(MenuCatch::keptOut(clock).isEmpty());
}

TEST(ThreadPriorityTest, LevelsMapToNiceValuesOfTheCallingThread) {
    EXPECT_EQ(niceValueForPriority(2), -10);
    EXPECT_EQ(niceValueForPriority(1), -5);
    EXPECT_EQ(niceValueForPriority(0), 0);
    EXPECT_EQ(niceValueForPriority(-2), 10);
    EXPECT_EQ(niceValueForPriority(99), -20);
    EXPECT_EQ(niceValueForPriority(-99), 19);
    // Lowering needs no privilege; do it on a thread of its own so the test's thread keeps its
    // priority.
    int niceSeen = 0;
    std::thread lowered([&niceSeen] {
        EXPECT_TRUE(applyThreadPriority(-2));
        niceSeen = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)));
    });
    lowered.join();
    EXPECT_EQ(niceSeen, 10);
}

// A read of the stored scheme that blocks, as one on a dead network mount does, until the test
// lets it go on; it then reads the file, or fails.
struct HeldRead {
    std::mutex mutex;
    std::condition_variable released;
    bool go = false;
    bool fail = false;

    static StartupScheme::Reader reader(std::shared_ptr<HeldRead> held) {
        return [held](const std::filesystem::path& path) {
            std::unique_lock lock(held->mutex);
            held->released.wait(lock, [&held] { return held->go; });
            return held->fail ? SchemeFileRead{} : StartupScheme::readWholeFile(path);
        };
    }
    void release(bool failing = false) {
        std::lock_guard lock(mutex);
        go = true;
        fail = failing;
        released.notify_all();
    }
};

class HeldSchemeTest : public ClockWindowTest {
protected:
    void SetUp() override {
        ClockWindowTest::SetUp();
        useSchemeWithBackground(300, 150);
        stored_ = settings_->readText(settings::kSchemeLoaded);
    }
    // Starts the window with the read held up.
    std::unique_ptr<CVelmoraDlg> startHeld() {
        ClockWindowOptions held;
        held.schemeReader = HeldRead::reader(held_);
        held.wallClock = [] { return std::chrono::system_clock::time_point(kMoment); };
        auto window = std::make_unique<CVelmoraDlg>(*settings_, std::move(held));
        window->initialize();
        return window;
    }
    // Handles events for a while, or until the clock shows a scheme from a file.
    static void waitForScheme(CVelmoraDlg& window, std::chrono::milliseconds most) {
        const auto until = std::chrono::steady_clock::now() + most;
        const ClockWindowProbe probe(window);
        while (probe.clock().schemePath().empty() && std::chrono::steady_clock::now() < until) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    static constexpr std::chrono::seconds kMoment{1'800'000'000};
    std::shared_ptr<HeldRead> held_ = std::make_shared<HeldRead>();
    std::u16string stored_;
};

TEST_F(HeldSchemeTest, ShowsTheBuiltInSchemeAtOnceAndTheStoredOneWhenItArrives) {
    // Started while the read is still held: the window did not wait for it.
    auto window = startHeld();
    const ClockWindowProbe probe(*window);
    EXPECT_TRUE(probe.clock().schemePath().empty());
    EXPECT_TRUE(showsTheBuiltInScheme(*window));
    EXPECT_FALSE(probe.lastFrame().isNull());

    held_->release();
    waitForScheme(*window, std::chrono::seconds(5));
    EXPECT_EQ(fromPath(probe.clock().schemePath()), stored_);
    EXPECT_EQ(probe.clock().backgroundWidth(), 300);
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), stored_);
    // The window shows it at once, as a whole frame of the new scheme would; the corner
    // squares, where the focus marks show, are left out.
    FrameRenderer whole;
    whole.render(probe.clock(), probe.lastFrame().size(), 1,
                 velmora::packedDateTimeFrom(std::chrono::system_clock::time_point(kMoment)));
    const int corner = CVelmoraDlg::kCornerSize;
    const QRect inner = probe.lastFrame().rect().adjusted(corner, corner, -corner, -corner);
    EXPECT_EQ(probe.lastFrame().copy(inner), whole.frame().copy(inner));
}

TEST_F(HeldSchemeTest, AReadThatFailsLateKeepsTheBuiltInSchemeAndTheSetting) {
    auto window = startHeld();
    const ClockWindowProbe probe(*window);
    held_->release(true);
    waitForScheme(*window, std::chrono::milliseconds(500));
    EXPECT_TRUE(probe.clock().schemePath().empty());
    EXPECT_TRUE(showsTheBuiltInScheme(*window));
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), stored_);
}

TEST_F(HeldSchemeTest, WhatTheUserOpensMeanwhileWins) {
    auto window = startHeld();
    const ClockWindowProbe probe(*window);
    const int builtInWidth = probe.clock().backgroundWidth();
    probe.runCommand(MenuCommand::Customize);
    ASSERT_NE(probe.dialogs().optionsDialog(), nullptr);
    held_->release();
    waitForScheme(*window, std::chrono::milliseconds(500));
    EXPECT_TRUE(probe.clock().schemePath().empty());
    EXPECT_EQ(probe.clock().backgroundWidth(), builtInWidth);
}

TEST_F(HeldSchemeTest, AReadEndingAfterTheWindowHarmsNothing) {
    startHeld().reset();
    held_->release();
    // The reading thread finishes into its own state; nothing is posted to the window.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    QApplication::processEvents();
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), stored_);
}

TEST_F(HeldSchemeTest, TheProgramEndsWhileTheReadIsStuck) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EXIT(
        {
            auto window = startHeld();
            window.reset();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    // The child starts a program of its own first; a join would wait for ever.
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(20));
}

} // namespace

#include "velmora_dlg_test.moc"
