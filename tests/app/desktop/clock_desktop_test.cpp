// The clock as a citizen of the desktop: schemes handed over or dropped, several clocks under
// their own names, one process per name, and "Start with the desktop".
#include "app/desktop/clock_instance.h"
#include "app/desktop/clock_request.h"
#include "app/desktop/settings.h"
#include "app/desktop/settings_file.h"
#include "app/dialogs/scheme_chooser.h"
#include "app/dialogs/window_aligner.h"
#include "app/editor/options_dial.h"
#include "app/window/clock_dialogs.h"
#include "app/window/velmora_dlg.h"
#include "clock/clock_text.h"
#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/settings_keys.h"
#include "model/string_property.h"
#include "model/utf.h"
#include "render/qt_text.h"
#include "tests/app/window/clock_window_probe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <csignal>
#include <future>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A scheme whose background is a picture of this colour.
QString writeScheme(const QTemporaryDir& folder, const QString& name, QColor colour) {
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(colour);
    const QString png = folder.filePath(name + QStringLiteral(".png"));
    picture.save(png);
    Clock clock;
    clock.findChildAs<FileProperty>(u"BackgroundImage")->chooseSource(png.toStdU16String());
    const QString path = folder.filePath(name + QStringLiteral(".Velmora"));
    std::string error;
    EXPECT_TRUE(saveSchemeFile(clock, path.toStdString(), &error)) << error;
    return path;
}

QString loadedScheme(const SettingsStore& settings) {
    return QString::fromStdU16String(settings.readText(settings::kSchemeLoaded));
}

class ClockDesktopTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        settings_ = std::make_unique<Settings>(folder_.filePath("clock.conf"));
        start({});
    }
    void TearDown() override { window_.reset(); }

    // A clock on a desktop without a tray, whose load errors the test collects.
    void start(ClockWindowOptions options) {
        window_.reset();
        options.trayProbe = [] { return false; };
        options.loadErrorReport = [this](const QString& message) { reports_ << message; };
        window_ = std::make_unique<CVelmoraDlg>(*settings_, std::move(options));
        window_->initialize();
        QApplication::processEvents();
    }
    ClockWindowProbe probe() const { return ClockWindowProbe(*window_); }

    void drop(const QList<QUrl>& urls, bool expectAccepted) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at(window_->width() / 2, window_->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), expectAccepted);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &dropped);
        QApplication::processEvents();
    }

    QTemporaryDir folder_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<CVelmoraDlg> window_;
    QStringList reports_;
};

TEST_F(ClockDesktopTest, ASchemeLoadedAsTheUserDoesIsRecordedAndABadOneChangesNothing) {
    const QString good = writeScheme(folder_, QStringLiteral("red"), Qt::red);
    ASSERT_TRUE(window_->loadSchemeAsUser(good));
    EXPECT_EQ(loadedScheme(*settings_), good);
    EXPECT_EQ(QString::fromStdString(probe().clock().schemePath().string()), good);
    EXPECT_TRUE(reports_.isEmpty());
    const QRgb red = probe().lastFrame().pixel(probe().lastFrame().rect().center());
    EXPECT_EQ(qRed(red), 255);

    QFile broken(folder_.filePath("broken.Velmora"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a scheme at all");
    broken.close();
    QByteArray cut = SettingsFile::read(good).value_or(QByteArray());
    QFile damaged(folder_.filePath("damaged.Velmora"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(cut.left(cut.size() / 2));
    damaged.close();
    // What happened in plain words first; the reader's own words only as the detail.
    const std::pair<QString, const char*> cases[] = {
        {broken.fileName(), "This file is not a Velmora scheme."},
        {folder_.filePath("missing.Velmora"), "The file was not found."},
        {folder_.path(), "This is not a file that can be loaded."},
        {damaged.fileName(), "This scheme file is damaged or incomplete."}};
    for (const auto& [bad, said] : cases) {
        reports_.clear();
        EXPECT_FALSE(window_->loadSchemeAsUser(bad));
        ASSERT_EQ(reports_.size(), 1) << bad.toStdString();
        EXPECT_TRUE(reports_[0].startsWith(QLatin1String(said))) << reports_[0].toStdString();
        EXPECT_TRUE(reports_[0].contains(QDir::toNativeSeparators(bad)))
            << reports_[0].toStdString();
        EXPECT_EQ(loadedScheme(*settings_), good);
        EXPECT_EQ(QString::fromStdString(probe().clock().schemePath().string()), good);
    }
}

TEST_F(ClockDesktopTest, ASchemeDroppedOnTheClockIsLoaded) {
    const QString blue = writeScheme(folder_, QStringLiteral("blue"), Qt::blue);
    drop({QUrl::fromLocalFile(blue)}, true);
    EXPECT_EQ(loadedScheme(*settings_), blue);
    // Two files, or something that is no file, are not taken.
    const QString red = writeScheme(folder_, QStringLiteral("red"), Qt::red);
    drop({QUrl::fromLocalFile(red), QUrl::fromLocalFile(blue)}, false);
    drop({QUrl(QStringLiteral("https://example.org/red.Velmora"))}, false);
    EXPECT_EQ(loadedScheme(*settings_), blue);
    // A name whose bytes are not UTF-8, as a file manager puts it in the URL.
    const std::string odd = QFile::encodeName(folder_.path()).toStdString() + "/r\xe9"
                                                                              "d.Velmora";
    ASSERT_EQ(::rename(QFile::encodeName(red).constData(), odd.c_str()), 0);
    drop({QUrl::fromEncoded("file://" + QByteArray::fromStdString(odd).toPercentEncoding("/"))},
         true);
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), fromPath(odd));
    EXPECT_TRUE(reports_.isEmpty());
}

TEST_F(ClockDesktopTest, AnOpenEditorAsksFirstAndCancelKeepsItsEdits) {
    const QString red = writeScheme(folder_, QStringLiteral("red"), Qt::red);
    probe().runCommand(MenuCommand::Customize);
    COptionsDial* dialog = qobject_cast<COptionsDial*>(probe().dialogs().optionsDialog());
    ASSERT_NE(dialog, nullptr);
    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    dialog->setMessageBox([&](QMessageBox::Icon, const QString& caption, const QString&,
                              QMessageBox::StandardButtons) {
        asked << caption;
        return answer;
    });
    // An edit the user has not saved.
    dialog->runCommand(COptionsDial::NewText);
    ASSERT_FALSE(dialog->isSaved());
    EXPECT_FALSE(window_->loadSchemeAsUser(red));
    EXPECT_EQ(asked, QStringList{QStringLiteral("Save changes?")});
    EXPECT_NE(probe().dialogs().optionsDialog(), nullptr);
    EXPECT_NE(loadedScheme(*settings_), red);

    answer = QMessageBox::Discard;
    EXPECT_TRUE(window_->loadSchemeAsUser(red));
    EXPECT_EQ(loadedScheme(*settings_), red);
    EXPECT_EQ(probe().dialogs().optionsDialog(), nullptr);
}

// Where the window system puts the customize dialog over the clock (sway centres each new
// dialog), the clock steps beside it while it is open, and back when it closes unless the user
// moved the clock meanwhile. A dialog left beside the clock moves nothing.
TEST(ClockStepAsideTest, TheClockStepsBesideADialogPlacedOverIt) {
    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("clock.conf")));
    Clock clock;
    // Frameless as the clock's: its place is its top-left pixel.
    QWidget window(nullptr, Qt::FramelessWindowHint);
    const QPoint home(300, 300);
    window.setGeometry(QRect(home, QSize(100, 100)));
    ClockDialogs dialogs(window, clock, settings);
    std::vector<QPoint> moves;
    dialogs.setClockMover([&](const QPoint& at) {
        moves.push_back(at);
        window.move(at);
    });
    // The dialog where the window system put it, once it has had its time to answer.
    const auto openAt = [&](const QPoint& placed) {
        dialogs.openOptionsDialog();
        QDialog* dialog = dialogs.optionsDialog();
        dialog->move(placed);
        QTest::qWait(CWindowAligner::kConfirmMs + 100);
        return QPointer<QDialog>(dialog);
    };
    const auto close = [](QPointer<QDialog> dialog) {
        dialog->reject();
        QTRY_VERIFY(dialog.isNull());
    };

    // Over the clock, with room on its left on the 800 x 600 screen.
    QPointer<QDialog> dialog = openAt({250, 20});
    ASSERT_EQ(moves.size(), 1U);
    EXPECT_EQ(moves[0], QPoint(142, 20));
    EXPECT_FALSE(window.geometry().intersects(dialog->frameGeometry()));
    close(dialog);
    ASSERT_EQ(moves.size(), 2U);
    EXPECT_EQ(moves[1], home);

    // The user's own move while it is open stays.
    dialog = openAt({250, 20});
    ASSERT_EQ(moves.size(), 3U);
    window.move(10, 400);
    close(dialog);
    EXPECT_EQ(moves.size(), 3U);
    EXPECT_EQ(window.pos(), QPoint(10, 400));

    // Beside the clock: nothing moves.
    window.move(home);
    close(openAt(home + QPoint(120, 0)));
    EXPECT_EQ(moves.size(), 3U);
    EXPECT_EQ(window.pos(), home);
}

// Where beside the clock the dialog would shrink to a few rows, it keeps its size and the
// clock steps aside; a clock that cannot move leaves it shrunk beside it.
TEST(ClockStepAsideTest, ACrampedPlaceBesideTheClockGivesWayToTheClockSteppingAside) {
    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("clock.conf")));
    Clock clock;
    QWidget window(nullptr, Qt::FramelessWindowHint);
    const QRect screen = window.screen()->availableGeometry();
    ClockDialogs dialogs(window, clock, settings);
    // The dialog's own size, opened beside a clock in a corner.
    window.setGeometry(QRect(screen.topLeft(), QSize(60, 60)));
    dialogs.openOptionsDialog();
    const QSize natural = dialogs.optionsDialog()->size();
    dialogs.optionsDialog()->reject();
    QTRY_VERIFY(dialogs.optionsDialog() == nullptr);
    // A clock in the middle, leaving a strip below it where only a shrunk dialog fits.
    const int below = natural.height() / 2;
    const QRect middle(screen.center().x() - 80, screen.bottom() - below - 160, 160, 160);
    ASSERT_LT(middle.left() - screen.left(), natural.width());
    ASSERT_LT(screen.right() - middle.right(), natural.width());
    ASSERT_LT(middle.top() - screen.top(), natural.height());
    window.setGeometry(middle);

    dialogs.openOptionsDialog();
    QPointer<QDialog> dialog = dialogs.optionsDialog();
    const QSize cramped = dialog->size();
    EXPECT_LT(cramped.height(), natural.height() * 3 / 4) << "without a mover it shrinks";
    dialog->reject();
    QTRY_VERIFY(dialog.isNull());

    dialogs.setClockMover([&](const QPoint& at) { window.move(at); });
    dialogs.openOptionsDialog();
    dialog = dialogs.optionsDialog();
    EXPECT_EQ(dialog->size(), natural.boundedTo(screen.size()));
    QTRY_VERIFY(!window.geometry().intersects(dialog->frameGeometry()));
    dialog->reject();
    QTRY_COMPARE(window.geometry(), middle);
}

TEST_F(ClockDesktopTest, AHandOverWaitsWhileAModalWindowRuns) {
    const QString red = writeScheme(folder_, QStringLiteral("red"), Qt::red);
    auto* modal = new QDialog(window_.get());
    modal->setModal(true);
    modal->show();
    ASSERT_EQ(QApplication::activeModalWidget(), modal);
    window_->takeRequest(ClockRequest::show(red));
    QTest::qWait(400);
    EXPECT_NE(loadedScheme(*settings_), red);
    modal->close();
    delete modal;
    for (int i = 0; i < 20 && loadedScheme(*settings_) != red; ++i) {
        QTest::qWait(100);
    }
    EXPECT_EQ(loadedScheme(*settings_), red);
}

TEST_F(ClockDesktopTest, NewClockTakesTheNextFreeNameAndAPlaceBesideThisOne) {
    EXPECT_EQ(NewClock::nextFreeName([](const QString&) { return false; }), QStringLiteral("2"));
    EXPECT_EQ(NewClock::nextFreeName([](const QString& name) {
                  return name == QStringLiteral("2") || name == QStringLiteral("3");
              }),
              QStringLiteral("4"));

    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    QStringList started;
    ClockWindowOptions options;
    options.clockLauncher = [&](const QString& name) {
        started << name;
        return true;
    };
    start(std::move(options));
    window_->move(100, 120);
    probe().runCommand(MenuCommand::NewClock);
    ASSERT_EQ(started.size(), 1);
    Settings other(Settings::ClockName{started[0]});
    using settings::PlacementPart;
    const int x =
        other.readInt(settings::windowLayoutKey(settings::kClockWindow, PlacementPart::X), -1);
    const int y =
        other.readInt(settings::windowLayoutKey(settings::kClockWindow, PlacementPart::Y), -1);
    EXPECT_NE(x, -1);
    EXPECT_FALSE(
        QRect(QPoint(x, y), window_->frameGeometry().size()).intersects(window_->frameGeometry()));
    EXPECT_EQ(y, window_->frameGeometry().top());
    qputenv("XDG_CONFIG_HOME", previous);
}

TEST_F(ClockDesktopTest, StartWithTheDesktopFollowsTheEntryItself) {
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    ClockWindowOptions work;
    work.clockName = QStringLiteral("work");
    start(std::move(work));
    QAction* item = probe().menu().action(MenuCommand::StartWithDesktop);
    probe().updateMenu();
    EXPECT_FALSE(item->isChecked());
    probe().runCommand(MenuCommand::StartWithDesktop);
    const QString entry = folder_.filePath(QStringLiteral("autostart/") +
                                           Settings::applicationName(QStringLiteral("work")) +
                                           QStringLiteral(".desktop"));
    ASSERT_TRUE(QFile::exists(entry));
    probe().updateMenu();
    EXPECT_TRUE(item->isChecked());
    // Removed behind the clock's back: the menu says so next time.
    QFile::remove(entry);
    probe().updateMenu();
    EXPECT_FALSE(item->isChecked());
    probe().runCommand(MenuCommand::StartWithDesktop);
    probe().runCommand(MenuCommand::StartWithDesktop);
    EXPECT_FALSE(QFile::exists(entry));
    qputenv("XDG_CONFIG_HOME", previous);
}

TEST_F(ClockDesktopTest, TheSchemeChooserShowsReadableSchemesAliveAndAppliesAClick) {
    const QString red = writeScheme(folder_, QStringLiteral("red"), Qt::red);
    QTemporaryDir other;
    const QString blue = writeScheme(other, QStringLiteral("blue"), Qt::blue);
    QFile junk(other.filePath("junk.Velmora"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("junk");
    junk.close();
    // Each file once, whichever folders name it.
    EXPECT_EQ(SchemeChooser::schemeFiles({other.path(), folder_.path(), other.path()}),
              (QStringList{other.filePath("blue.Velmora"), other.filePath("junk.Velmora"),
                           QFileInfo(red).canonicalFilePath()}));
    SchemeChooser chooser({other.path(), folder_.path()});
    ASSERT_EQ(chooser.count(), 2);
    EXPECT_EQ(chooser.path(0), QFileInfo(blue).canonicalFilePath());
    const QImage picture = chooser.button(0)->icon().pixmap(SchemeChooser::kPictureSide).toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(qBlue(picture.pixel(picture.rect().center())), 255);

    // From the menu, with the folder of the scheme loaded last among the folders.
    ASSERT_TRUE(window_->loadSchemeAsUser(red));
    probe().runCommand(MenuCommand::Schemes);
    auto* shown = qobject_cast<SchemeChooser*>(probe().dialogs().schemeChooser());
    ASSERT_NE(shown, nullptr);
    const QString canonicalRed = QFileInfo(red).canonicalFilePath();
    int index = -1;
    for (int i = 0; i < shown->count(); ++i) {
        index = shown->path(i) == canonicalRed ? i : index;
    }
    ASSERT_GE(index, 0);
    settings_->writeText(settings::kSchemeLoaded, u"");
    shown->button(index)->click();
    EXPECT_EQ(loadedScheme(*settings_), canonicalRed);
}

// Two real processes: the program itself, on the offscreen platform.
class HandOverTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        QFile::setPermissions(home_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.path());
        environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath("config"));
        environment_.insert(QStringLiteral("HOME"), home_.path());
    }
    void TearDown() override {
        for (QProcess* clock : clocks_) {
            clock->kill();
            clock->waitForFinished();
            delete clock;
        }
    }
    QProcess* startClock(const QStringList& arguments) {
        auto* clock = new QProcess;
        clocks_.push_back(clock);
        clock->setProcessEnvironment(environment_);
        clock->start(QStringLiteral(VELMORA_PROGRAM), arguments);
        return clock;
    }
    // Runs a launch to its end; its exit status.
    int launch(const QStringList& arguments, QByteArray* errors = nullptr) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(QStringLiteral(VELMORA_PROGRAM), arguments);
        if (!process.waitForFinished(15000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (errors != nullptr) {
            *errors = process.readAllStandardError();
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString socketOf(const QString& clockName) const {
        return home_.filePath(clockName.isEmpty()
                                  ? QStringLiteral("velmora.socket")
                                  : QStringLiteral("velmora-%1.socket").arg(clockName));
    }
    bool waitUntilListening(const QString& clockName) const {
        for (int i = 0; i < 150 && !ClockInstance::isListening(socketOf(clockName)); ++i) {
            QTest::qWait(100);
        }
        return ClockInstance::isListening(socketOf(clockName));
    }
    QString recordedScheme(const QString& clockName) const {
        Settings settings(home_.filePath(
            clockName.isEmpty()
                ? QStringLiteral("config/vornel-works/velmora.conf")
                : QStringLiteral("config/vornel-works/velmora-%1.conf").arg(clockName)));
        return loadedScheme(settings);
    }
    QString waitForScheme(const QString& clockName, const QString& expected) const {
        for (int i = 0; i < 100 && recordedScheme(clockName) != expected; ++i) {
            QTest::qWait(100);
        }
        return recordedScheme(clockName);
    }

    QTemporaryDir home_;
    QProcessEnvironment environment_;
    std::vector<QProcess*> clocks_;
};

TEST_F(HandOverTest, ASecondLaunchHandsItsFileToTheRunningClockOfItsName) {
    const QString red = writeScheme(home_, QStringLiteral("red"), Qt::red);
    const QString blue = writeScheme(home_, QStringLiteral("blue"), Qt::blue);
    QProcess* work = startClock({QStringLiteral("--clock"), QStringLiteral("work")});
    ASSERT_TRUE(waitUntilListening(QStringLiteral("work")));
    QProcess* main = startClock({red});
    ASSERT_TRUE(waitUntilListening(QString()));
    EXPECT_EQ(waitForScheme(QString(), red), red);

    // Relative to the launch's own folder, as a file manager or a shell passes it.
    QDir::setCurrent(home_.path());
    EXPECT_EQ(
        launch({QStringLiteral("--clock"), QStringLiteral("work"), QStringLiteral("blue.Velmora")}),
        0);
    EXPECT_EQ(waitForScheme(QStringLiteral("work"), blue), blue);
    // The other clock keeps its own.
    EXPECT_EQ(recordedScheme(QString()), red);
    // A launch with nothing only brings the clock forward.
    EXPECT_EQ(launch({}), 0);
    EXPECT_EQ(work->state(), QProcess::Running);
    EXPECT_EQ(main->state(), QProcess::Running);
}

TEST_F(HandOverTest, ACrashedClockLeavesNothingThatBlocksTheNextStart) {
    const QString red = writeScheme(home_, QStringLiteral("red"), Qt::red);
    QProcess* first = startClock({QStringLiteral("--clock"), QStringLiteral("c")});
    ASSERT_TRUE(waitUntilListening(QStringLiteral("c")));
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    first->waitForFinished();
    ASSERT_TRUE(QFile::exists(socketOf(QStringLiteral("c"))));

    QProcess* second = startClock({QStringLiteral("--clock"), QStringLiteral("c"), red});
    ASSERT_TRUE(waitUntilListening(QStringLiteral("c")));
    EXPECT_EQ(waitForScheme(QStringLiteral("c"), red), red);
    EXPECT_EQ(second->state(), QProcess::Running);
}

// A clock too busy to answer (here stopped): the launch fails after its wait, and the clock,
// once it goes on, does not load the file the launch gave up on.
TEST_F(HandOverTest, AStoppedClockFailsTheLaunchAndLoadsNothingLater) {
    const QString red = writeScheme(home_, QStringLiteral("red"), Qt::red);
    QProcess* clock = startClock({QStringLiteral("--clock"), QStringLiteral("s")});
    ASSERT_TRUE(waitUntilListening(QStringLiteral("s")));
    ::kill(static_cast<pid_t>(clock->processId()), SIGSTOP);
    EXPECT_EQ(launch({QStringLiteral("--clock"), QStringLiteral("s"), red}), 1);
    ::kill(static_cast<pid_t>(clock->processId()), SIGCONT);
    QTest::qWait(1500);
    EXPECT_EQ(recordedScheme(QStringLiteral("s")), QString());
    EXPECT_EQ(clock->state(), QProcess::Running);
}

// The file's name goes to the running clock as the bytes the launch was given, whether or not
// they are UTF-8 and whatever they hold.
TEST_F(HandOverTest, ASchemeNameComesThroughWhateverItsBytes) {
    const QString red = writeScheme(home_, QStringLiteral("red"), Qt::red);
    const std::string odd =
        QFile::encodeName(home_.path()).toStdString() + "/\xe9t\xe9\nred.Velmora";
    ASSERT_EQ(::rename(QFile::encodeName(red).constData(), odd.c_str()), 0);
    QProcess* clock = startClock({QStringLiteral("--clock"), QStringLiteral("b")});
    ASSERT_TRUE(waitUntilListening(QStringLiteral("b")));
    // QProcess would pass the name through UTF-8: the bytes go as they are.
    std::vector<std::string> arguments{VELMORA_PROGRAM, "--clock", "b", odd};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const QString& variable : environment_.toStringList()) {
        variables.push_back(QFile::encodeName(variable).toStdString());
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    pid_t launched = 0;
    ASSERT_EQ(::posix_spawn(&launched, VELMORA_PROGRAM, nullptr, nullptr, argv.data(), envp.data()),
              0);
    int status = 0;
    ::waitpid(launched, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const QString expected = pathToQString(std::filesystem::path(odd));
    EXPECT_EQ(waitForScheme(QStringLiteral("b"), expected), expected);
    EXPECT_EQ(clock->state(), QProcess::Running);
    // QTemporaryDir cannot name it to remove it.
    ::unlink(odd.c_str());
}

// However busy drawing keeps the clock, each of the signals that end a session ends it
// within a second.
TEST_F(HandOverTest, EndingSignalsEndABusyClockWithinASecond) {
    Clock heavy;
    for (int i = 0; i < 60000; ++i) {
        auto text = std::make_unique<ClockText>();
        // Each second changes every text, so each frame draws them all.
        text->findChildAs<StringProperty>(u"Fmt")->setValue(u"%H:%M:%S");
        heavy.append(std::move(text));
    }
    const QString scheme = home_.filePath(QStringLiteral("heavy.Velmora"));
    std::string error;
    ASSERT_TRUE(saveSchemeFile(heavy, qStringToPath(scheme), &error)) << error;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        const QString name = QStringLiteral("busy%1").arg(number);
        QProcess* clock = startClock({QStringLiteral("--clock"), name, scheme});
        ASSERT_TRUE(waitUntilListening(name));
        QTest::qWait(2000);
        ASSERT_EQ(clock->state(), QProcess::Running);
        QElapsedTimer took;
        took.start();
        ::kill(static_cast<pid_t>(clock->processId()), number);
        EXPECT_TRUE(clock->waitForFinished(3000)) << number;
        EXPECT_LT(took.elapsed(), 1000) << "signal " << number;
    }
}

TEST_F(HandOverTest, TheCommandLineAnswersWithoutADisplay) {
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.insert(QStringLiteral("DISPLAY"), QStringLiteral(":987654"));
    QByteArray errors;
    EXPECT_EQ(launch({QStringLiteral("--version")}), 0);
    EXPECT_EQ(launch({QStringLiteral("--help")}), 0);
    EXPECT_EQ(launch({QStringLiteral("--no-such-option")}, &errors), 2);
    EXPECT_TRUE(errors.contains("no-such-option")) << errors.toStdString();
}

} // namespace
