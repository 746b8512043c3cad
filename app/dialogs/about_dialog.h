// CAboutDlg: the info picture zooming and fading in as a frameless per-pixel-alpha window.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTimer>

class QPainter;
class QPushButton;

// The artwork lives in a static library, whose resource object the linker keeps only when
// something refers to it; call this before loading ":/..." images.
void loadAppResources();
// The info dialog's picture and chime (":/info.png", ":/info_chime.wav"), from the resource
// file velmora_about.rcc in the first of the folders that has it; by default beside the
// program, then among its installed data. The dialog loads them itself; false when missing.
bool loadAboutResources(const QStringList& folders = {});

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPictureSide = 298;
    static constexpr int kTickMs = 30;
    static constexpr int kFullAlpha = 255;
    static constexpr int kVersionPixelSize = 11;
    static constexpr int kVersionMargin = 6;

    // "Version x.y", as the picture shows it.
    static QString versionText();
    // What the picture cannot say: the program, its licence and who made it; the dialog's
    // tooltip and, for screen readers, its description.
    static QString aboutText();

    // Plays the chime when Shift is held at this moment.
    explicit CAboutDlg(QWidget* parent = nullptr);
    CAboutDlg(QWidget* parent, bool playChime);

    // The alpha the next tick works with, 0 to 255.
    int alpha() const { return alpha_; }
    // The alpha of the last frame drawn; what the window shows.
    int shownAlpha() const { return shownAlpha_; }
    bool animating() const { return timer_.isActive(); }
    // Whether a chime was asked for and has not failed or finished yet.
    bool chimeActive() const { return !chime_.isNull(); }
    // The button that closes the dialog, for the keyboard and for those who do not know that
    // a click on the picture does.
    QPushButton* closeButton() const { return close_; }

    // Where the picture goes in the window for a frame of this alpha. Its height is negative
    // for alphas below 71; such frames show nothing.
    static QRect pictureRect(int alpha);

    // One animation tick; the timer calls it, tests call it directly.
    void advance();

    // The frame the window shows, as an image of the window's size.
    QImage frame() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintFrame(QPainter& painter) const;
    void centreOnPrimaryScreen();
    void startChime();

    QImage picture_;
    QTimer timer_;
    QPointer<QObject> chime_;
    QPushButton* close_ = nullptr;
    int alpha_ = 0;
    int shownAlpha_ = 0;
};
