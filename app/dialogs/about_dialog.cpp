// CAboutDlg: the info picture zooming and fading in as a frameless per-pixel-alpha window.
#include "app/dialogs/about_dialog.h"

#include "app/chime/chime_player.h"
#include "render/png_image.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QUrl>
#include <QtDebug>

void loadAppResources() {
    // Registering the same data twice would be harmless, but once is enough.
    [[maybe_unused]] static const bool loaded = [] {
        Q_INIT_RESOURCE(app_resources);
        return true;
    }();
}

bool loadAboutResources(const QStringList& folders) {
    static bool loaded = false;
    if (loaded) {
        return true;
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList searched =
        !folders.isEmpty()
            ? folders
            : QStringList{programDir, programDir + QStringLiteral("/" VELMORA_DATA_FROM_BIN)};
    for (const QString& folder : searched) {
        const QString path = folder + QStringLiteral("/velmora_about.rcc");
        if (QFileInfo::exists(path) && QResource::registerResource(path)) {
            loaded = true;
            return true;
        }
    }
    qWarning().noquote() << "velmora: the info picture and chime (velmora_about.rcc) are not in"
                         << searched.join(QStringLiteral(", "));
    return false;
}

namespace {

// Past this alpha the picture is at full size; below it, it grows by one pixel a side per step.
constexpr int kZoomEndAlpha = 220;
constexpr int kAlphaStep = 7;

bool shiftHeld() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CAboutDlg(parent, shiftHeld()) {}

CAboutDlg::CAboutDlg(QWidget* parent, bool playChime)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    loadAboutResources();
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kPictureSide, kPictureSide);
    //: The info dialog's title; %1 is the version.
    setWindowTitle(QCoreApplication::translate("CAboutDlg", "About Velmora %1")
                       .arg(QStringLiteral(VELMORA_VERSION)));
    setToolTip(aboutText());
    setAccessibleDescription(aboutText());
    close_ = new QPushButton(QCoreApplication::translate("CAboutDlg", "&Close"), this);
    close_->setDefault(true);
    close_->adjustSize();
    // In the corner the round picture leaves free, clear of the version text.
    close_->move(kPictureSide - close_->width() - 2, kPictureSide - close_->height() - 2);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    picture_ =
        readPng(QStringLiteral(":/info.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CAboutDlg::advance);
    centreOnPrimaryScreen();
    if (playChime) {
        startChime();
    }
}

QRect CAboutDlg::pictureRect(int alpha) {
    const int c = alpha <= kZoomEndAlpha ? kZoomEndAlpha - alpha : 0;
    return QRect(c / 2, c, kPictureSide - c, kPictureSide - 2 * c);
}

void CAboutDlg::advance() {
    if (alpha_ < kFullAlpha) {
        shownAlpha_ = alpha_;
        update();
    }
    // Two steps of 7 per tick, clamped after the first: 0, 14, ... 252, then 255.
    alpha_ += kAlphaStep;
    if (alpha_ > kFullAlpha) {
        alpha_ = kFullAlpha;
    } else {
        alpha_ += kAlphaStep;
    }
    // Nothing changes on screen any more, so the timer has nothing left to do.
    if (alpha_ >= kFullAlpha) {
        timer_.stop();
    }
}

QImage CAboutDlg::frame() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintFrame(painter);
    return image;
}

void CAboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (alpha_ < kFullAlpha && !timer_.isActive()) {
        timer_.start();
    }
}

void CAboutDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The translucent backing store may still hold the previous, smaller frame.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    paintFrame(painter);
}

void CAboutDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void CAboutDlg::paintFrame(QPainter& painter) const {
    const QRect target = pictureRect(shownAlpha_);
    // The first frames have a negative height; drawing them would mirror the picture.
    if (target.isEmpty() || picture_.isNull()) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(shownAlpha_ / double(kFullAlpha));
    painter.drawImage(target, picture_);
    // The version, once the picture has its full size, along its lower edge.
    if (shownAlpha_ < kZoomEndAlpha) {
        return;
    }
    QFont font = painter.font();
    font.setPixelSize(kVersionPixelSize);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(target.adjusted(0, 0, 0, -kVersionMargin), Qt::AlignHCenter | Qt::AlignBottom,
                     versionText());
}

QString CAboutDlg::aboutText() {
    return QCoreApplication::translate(
               "CAboutDlg", "Velmora %1, a desktop clock.\nFree software under the MIT licence.\n"
                            "Made by the Velmora developers; time zones from the IANA time zone "
                            "database.")
        .arg(QStringLiteral(VELMORA_VERSION));
}

QString CAboutDlg::versionText() {
    return QCoreApplication::translate("CAboutDlg", "Version %1")
        .arg(QStringLiteral(VELMORA_VERSION));
}

void CAboutDlg::centreOnPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
}

void CAboutDlg::startChime() {
    // The application owns the effect so the chime can finish after the dialog has closed; the
    // effect removes itself once it is done or cannot play (no audio device, for one).
    chime_ = ChimePlayer::installed().play(QCoreApplication::instance(),
                                           QUrl(QStringLiteral("qrc:/info_chime.wav")));
}
