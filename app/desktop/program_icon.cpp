// The program's icon, for its windows and its tray icon.
#include "app/desktop/program_icon.h"

#include "render/png_image.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cmath>

QIcon programIcon() {
    const QImage image = readPng(QStringLiteral(":/velmora_icon.png"));
    if (image.isNull()) {
        return QIcon();
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int side =
        static_cast<int>(std::ceil(64 * (screen != nullptr ? screen->devicePixelRatio() : 1)));
    if (side >= image.width()) {
        return QIcon(QPixmap::fromImage(image));
    }
    return QIcon(QPixmap::fromImage(
        image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void showProgramIconFromNowOn() {
    if (QGuiApplication::windowIcon().isNull()) {
        QGuiApplication::setWindowIcon(programIcon());
    }
}
