// The clock's tray icon, and whether the desktop has a tray to show it in.
#include "app/window/clock_tray.h"

#include "app/desktop/program_icon.h"
#include "model/string_table.h"
#include "optiontree/string_table_translation.h"
#include "render/qt_text.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

namespace {
constexpr int kTooltipTextId = 49;
}

ClockTray::ClockTray(MenuSource menu, QObject* parent) : QObject(parent), menu_(std::move(menu)) {
    connect(&watcher_, &TrayWatcher::changed, this, &ClockTray::changed);
}

ClockTray::~ClockTray() {
    setIconShown(false);
}

bool ClockTray::watch() {
    return watcher_.start();
}

bool ClockTray::refresh() {
    available_ = probe_();
    if (available_ && tray_ == nullptr) {
        createIcon();
    }
    return available_;
}

void ClockTray::createIcon() {
    showProgramIconFromNowOn();
    tray_ = std::make_unique<QSystemTrayIcon>(QGuiApplication::windowIcon());
    applyToolTip();
    tray_->setContextMenu(menu_());
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit doubleClicked();
                } else if (reason == QSystemTrayIcon::MiddleClick) {
                    emit middleClicked();
                }
            });
}

void ClockTray::setTimeText(const QString& text) {
    if (text == timeText_) {
        return;
    }
    timeText_ = text;
    applyToolTip();
}

void ClockTray::setNextAlarm(const QString& line) {
    nextAlarm_ = line;
    applyToolTip();
}

void ClockTray::applyToolTip() {
    if (tray_ == nullptr) {
        return;
    }
    // A string-table text, translated as the editor's rows translate those; only the context
    // is taken from there, as the editor's code is a module of its own.
    const QByteArray english = toQString(stringTableText(kTooltipTextId)).toUtf8();
    QStringList lines{QCoreApplication::translate(kStringTableContext, english.constData())};
    for (const QString& line : {timeText_, nextAlarm_}) {
        if (!line.isEmpty()) {
            lines.append(line);
        }
    }
    tray_->setToolTip(lines.join(QLatin1Char('\n')));
}

void ClockTray::setIconShown(bool shown) {
    if (tray_ == nullptr || shown == iconShown_) {
        return;
    }
    tray_->setVisible(shown);
    iconShown_ = shown;
}
