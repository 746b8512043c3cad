// The info dialog: its zoom and fade arithmetic, the frames it shows, how it closes, its artwork.
#include "app/chime/chime_player.h"
#include "app/dialogs/about_dialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

void advanceTimes(CAboutDlg& dialog, int ticks) {
    for (int i = 0; i < ticks; ++i) {
        dialog.advance();
    }
}

bool fullyTransparent(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return false;
            }
        }
    }
    return true;
}

TEST(AboutDialogTest, TicksDrawAlphasInStepsOf14ThenStopAt255) {
    CAboutDlg dialog(nullptr, false);
    std::vector<int> drawn;
    while (dialog.alpha() < CAboutDlg::kFullAlpha) {
        dialog.advance();
        drawn.push_back(dialog.shownAlpha());
    }
    std::vector<int> expected;
    for (int alpha = 0; alpha <= 252; alpha += 14) {
        expected.push_back(alpha);
    }
    EXPECT_EQ(drawn, expected);

    // Once at 255 nothing is drawn any more: the window keeps the frame of alpha 252.
    advanceTimes(dialog, 3);
    EXPECT_EQ(dialog.alpha(), 255);
    EXPECT_EQ(dialog.shownAlpha(), 252);
}

struct RectRow {
    const char* name;
    int alpha;
    QRect rect;
};

class PictureRectTest : public testing::TestWithParam<RectRow> {};

TEST_P(PictureRectTest, FollowsTheZoomArithmetic) {
    EXPECT_EQ(CAboutDlg::pictureRect(GetParam().alpha), GetParam().rect);
}

// c = 220 - alpha up to 220, else 0; the rectangle is (c / 2, c, 298 - c, 298 - 2c).
INSTANTIATE_TEST_SUITE_P(Alphas, PictureRectTest,
                         testing::Values(RectRow{"Start", 0, QRect(110, 220, 78, -142)},
                                         RectRow{"FirstStep", 14, QRect(103, 206, 92, -114)},
                                         RectRow{"LastNegative", 70, QRect(75, 150, 148, -2)},
                                         RectRow{"OddCTruncates", 71, QRect(74, 149, 149, 0)},
                                         RectRow{"FirstVisible", 84, QRect(68, 136, 162, 26)},
                                         RectRow{"OnePixelShort", 219, QRect(0, 1, 297, 296)},
                                         RectRow{"FullSizeAt220", 220, QRect(0, 0, 298, 298)},
                                         RectRow{"Final", 255, QRect(0, 0, 298, 298)}),
                         [](const testing::TestParamInfo<RectRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(AboutDialogTest, FramesWithANegativeHeightShowNothing) {
    CAboutDlg dialog(nullptr, false);
    // The frames 0 to 70 have negative heights; drawing them would show a mirrored picture.
    for (int tick = 1; tick <= 6; ++tick) {
        dialog.advance();
        SCOPED_TRACE(dialog.shownAlpha());
        EXPECT_TRUE(fullyTransparent(dialog.frame()));
    }
}

TEST(AboutDialogTest, FramesShowThePictureInItsRectangleAtTheirAlpha) {
    CAboutDlg dialog(nullptr, false);
    advanceTimes(dialog, 7);
    ASSERT_EQ(dialog.shownAlpha(), 84);
    const QImage small = dialog.frame();
    const QRect inside = CAboutDlg::pictureRect(84);
    EXPECT_EQ(qAlpha(small.pixel(inside.topLeft() - QPoint(1, 1))), 0);
    EXPECT_EQ(qAlpha(small.pixel(inside.bottomRight() + QPoint(1, 1))), 0);
    // The badge is opaque in its middle, so there the frame's alpha is the constant alpha.
    EXPECT_NEAR(qAlpha(small.pixel(inside.center())), 84, 2);

    advanceTimes(dialog, 12);
    ASSERT_EQ(dialog.shownAlpha(), 252);
    const QImage full = dialog.frame();
    EXPECT_NEAR(qAlpha(full.pixel(149, 149)), 252, 2);
    // The picture's own transparent corners stay transparent.
    EXPECT_EQ(qAlpha(full.pixel(0, 0)), 0);
}

TEST(AboutDialogTest, TheTimerRunsTheAnimationOnceShown) {
    CAboutDlg dialog(nullptr, false);
    EXPECT_FALSE(dialog.animating());
    dialog.show();
    EXPECT_TRUE(dialog.animating());
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!dialog.animating()) {
            loop.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(dialog.alpha(), 255);
    EXPECT_EQ(dialog.shownAlpha(), 252);
}

TEST(AboutDialogTest, IsCentredOnThePrimaryScreen) {
    CAboutDlg dialog(nullptr, false);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(dialog.geometry().center(), screen.center());
}

// Runs the dialog modally and delivers `event` once it is up; a stuck dialog ends with 99.
int runWith(CAboutDlg& dialog, QEvent* event) {
    QTimer::singleShot(50, &dialog, [&dialog, event] { QApplication::sendEvent(&dialog, event); });
    QTimer::singleShot(3000, &dialog, [&dialog] { dialog.done(99); });
    return dialog.exec();
}

TEST(AboutDialogTest, LeftButtonReleaseAcceptsAndEscRejects) {
    const QPointF centre(149, 149);
    {
        CAboutDlg dialog(nullptr, false);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, centre, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        EXPECT_EQ(runWith(dialog, &release), QDialog::Accepted);
    }
    {
        CAboutDlg dialog(nullptr, false);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        EXPECT_EQ(runWith(dialog, &escape), QDialog::Rejected);
    }
    {
        CAboutDlg dialog(nullptr, false);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, centre, Qt::RightButton,
                            Qt::NoButton, Qt::NoModifier);
        EXPECT_EQ(runWith(dialog, &release), 99);
    }
}

// Named for what it is, with the licence and credits the picture cannot give, and a button
// that closes it by the keyboard (Enter, Space or its Alt+C) and stays clear of the picture.
TEST(AboutDialogTest, SaysWhatItIsAndHasACloseButton) {
    CAboutDlg dialog(nullptr, false);
    EXPECT_EQ(dialog.windowTitle(), "About Velmora " VELMORA_VERSION);
    EXPECT_TRUE(dialog.accessibleDescription().contains("MIT licence"));
    EXPECT_EQ(dialog.toolTip(), dialog.accessibleDescription());
    QPushButton* close = dialog.closeButton();
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isDefault());
    EXPECT_TRUE(dialog.rect().contains(close->geometry()));
    EXPECT_FALSE(close->geometry().intersects(
        CAboutDlg::pictureRect(CAboutDlg::kFullAlpha).adjusted(40, 40, -40, -40)));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(runWith(dialog, &enter), QDialog::Accepted);
}

// Without Shift nothing asks for the chime; with it, the player is asked, and where no sound
// device answers (here: no sound server to reach, whatever this machine has) it says so once
// and plays nothing.
TEST(AboutDialogTest, TheChimeIsAskedForOnlyWithShiftAndAMissingDeviceIsSaidOnce) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/velmora-test");
    static QStringList said;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { said.append(message); });
    // No Shift key is held in the offscreen session.
    EXPECT_FALSE(CAboutDlg().chimeActive());
    EXPECT_TRUE(said.isEmpty());
    for (int i = 0; i < 2; ++i) {
        CAboutDlg dialog(nullptr, true);
        EXPECT_FALSE(dialog.chimeActive());
    }
    qInstallMessageHandler(previous);
    ASSERT_EQ(said.size(), 1) << said.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(said[0].startsWith(QLatin1String("velmora: sounds stay silent:")));
}

TEST(AboutDialogTest, WithoutAUsableChimeModuleNothingPlaysAndNothingFails) {
    QTemporaryDir empty;
    QTemporaryDir broken;
    QFile fake(broken.filePath(QStringLiteral("libvelmora_chime.so")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a shared object");
    fake.close();
    const QUrl chime(QStringLiteral("qrc:/info_chime.wav"));
    for (const QString& folder : {empty.path(), broken.path()}) {
        SCOPED_TRACE(folder.toStdString());
        ChimePlayer player({folder});
        EXPECT_EQ(player.play(QCoreApplication::instance(), chime), nullptr);
        // The failure is remembered: no second attempt, and no second message.
        EXPECT_EQ(player.play(QCoreApplication::instance(), chime), nullptr);
    }
}

TEST(AboutDialogTest, ArtworkAndSoundAreInTheResources) {
    loadAppResources();
    loadAboutResources();
    const QImage info(QStringLiteral(":/info.png"));
    EXPECT_EQ(info.size(), QSize(298, 298));
    EXPECT_TRUE(info.hasAlphaChannel());
    const QImage icon(QStringLiteral(":/velmora_icon.png"));
    EXPECT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.hasAlphaChannel());
    for (const char* colour : {"red", "green"}) {
        for (const char* corner : {"tl", "tr", "br", "bl"}) {
            const QString path = QStringLiteral(":/corners/corner_%1_%2.png").arg(colour, corner);
            const QImage mark(path);
            SCOPED_TRACE(path.toStdString());
            EXPECT_EQ(mark.size(), QSize(32, 32));
            EXPECT_TRUE(mark.hasAlphaChannel());
            // The opposite corner of a bracket stays clear.
            const int x = corner[1] == 'l' ? 31 : 0;
            const int y = corner[0] == 't' ? 31 : 0;
            EXPECT_EQ(qAlpha(mark.pixel(x, y)), 0);
        }
    }
    QFile chime(QStringLiteral(":/info_chime.wav"));
    ASSERT_TRUE(chime.open(QIODevice::ReadOnly));
    const QByteArray wave = chime.readAll();
    ASSERT_GE(wave.size(), 44);
    EXPECT_EQ(wave.left(4), "RIFF");
    EXPECT_EQ(wave.mid(8, 8), "WAVEfmt ");
    // PCM, mono, 44100 Hz, 16 bits, and about 0.6 s of samples.
    EXPECT_EQ(wave.mid(20, 4), QByteArray("\x01\x00\x01\x00", 4));
    EXPECT_EQ(wave.mid(24, 4), QByteArray("\x44\xac\x00\x00", 4));
    EXPECT_EQ(wave.mid(34, 2), QByteArray("\x10\x00", 2));
    EXPECT_EQ(wave.size() - 44, 44100 * 2 * 6 / 10);
}

} // namespace
