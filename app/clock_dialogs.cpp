// The windows the clock opens for the user, and schemes loaded from outside the editor.
#include "app/clock_dialogs.h"

#include "app/about_dialog.h"
#include "app/dialog_placement.h"
#include "app/options_dial.h"
#include "app/scheme_chooser.h"
#include "app/scheme_file_dialog.h"
#include "app/settings.h"
#include "app/timezones_dial.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/settings_store.h"
#include "model/utf.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QWidget>

namespace {
// How soon a scheme that waits for a modal window to close is tried again.
constexpr std::chrono::milliseconds kModalRetry(300);
} // namespace

ClockDialogs::ClockDialogs(QWidget& window, Clock& clock, SettingsStore& settings)
    : window_(window), clock_(clock), settings_(settings), editing_(clock) {}

// The dialog edits the clock, which may go before the window's children would.
ClockDialogs::~ClockDialogs() {
    delete optionsDial_.data();
}

COptionsDial* ClockDialogs::optionsDialog() const {
    return static_cast<COptionsDial*>(optionsDial_.data());
}

bool ClockDialogs::canOpenOptionsDialog() {
    return COptionsDial::instanceCount() == 0;
}

void ClockDialogs::openOptionsDialog() {
    if (!canOpenOptionsDialog()) {
        return;
    }
    // What the user edits or loads now wins over a stored scheme that has yet to arrive.
    emit userSchemeChosen();
    auto* dialog = new COptionsDial(clock_, settings_, &window_);
    if (!dialog->isInitialized()) {
        delete dialog;
        return;
    }
    optionsDial_ = dialog;
    connect(dialog, &COptionsDial::schemeChanged, this, &ClockDialogs::schemeChanged);
    placeBesideClock(*dialog);
    dialog->show();
}

void ClockDialogs::runTimezonesDialog() {
    if (timezonesDial_ != nullptr) {
        return;
    }
    CTimezonesDial dialog(settings_, &window_);
    timezonesDial_ = &dialog;
    placeBesideClock(dialog);
    const int result = dialog.exec();
    timezonesDial_ = nullptr;
    if (result == QDialog::Accepted) {
        emit zonesChanged();
    }
}

void ClockDialogs::runInfoDialog() {
    CAboutDlg about(&window_);
    about.exec();
}

void ClockDialogs::placeBesideClock(QWidget& dialog) const {
    const QScreen* where = window_.screen();
    if (where == nullptr) {
        return;
    }
    // The frame is not known before the window manager decorates the dialog: allow for a
    // title bar and borders as the style draws them.
    const QStyle* style = dialog.style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &dialog);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
    const QSize framed = dialog.size() + QSize(2 * border, title + 2 * border);
    dialog.move(placeBeside(window_.frameGeometry(), framed, where->availableGeometry()));
}

bool ClockDialogs::loadSchemeAsUser(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    ReadError error;
    // Read whole before anything is asked or changed, so a bad file changes nothing.
    std::unique_ptr<Clock> fresh = readSchemeFile(toPath(absolute.toStdU16String()), &error);
    if (fresh == nullptr) {
        const QString message =
            QStringLiteral("This file could not be loaded as a scheme:\n%1\n\n%2 (at byte %3).")
                .arg(QDir::toNativeSeparators(absolute), QString::fromStdString(error.reason))
                .arg(error.offset);
        if (loadErrorReport_) {
            loadErrorReport_(message);
        } else {
            QMessageBox::warning(&window_, QStringLiteral("Load error"), message);
        }
        return false;
    }
    if (!editorReleasesScheme()) {
        return false;
    }
    emit userSchemeChosen();
    clock_.takeLoadedScheme(*fresh, toPath(absolute.toStdU16String()), settings_);
    emit schemeChanged();
    return true;
}

void ClockDialogs::loadWhenFree(const QString& path) {
    if (QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kModalRetry, this, [this, path] { loadWhenFree(path); });
        return;
    }
    loadSchemeAsUser(path);
}

bool ClockDialogs::editorReleasesScheme() {
    COptionsDial* dialog = optionsDialog();
    if (dialog == nullptr) {
        return true;
    }
    if (!dialog->confirmSaveChanges()) {
        return false;
    }
    delete dialog;
    return true;
}

QStringList ClockDialogs::schemeFolders() const {
    QStringList folders{SchemeFileDialog::examplesFolder(),
                        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/velmora/schemes")};
    const QString last = QString::fromStdU16String(settings_.readText(settings::kSchemeLoaded));
    if (!last.isEmpty()) {
        folders.append(QFileInfo(last).absolutePath());
    }
    return folders;
}

void ClockDialogs::openSchemeChooser() {
    if (schemeChooser_ != nullptr) {
        schemeChooser_->raise();
        schemeChooser_->activateWindow();
        return;
    }
    auto* chooser = new SchemeChooser(schemeFolders(), &window_);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &SchemeChooser::chosen, this, &ClockDialogs::loadSchemeAsUser);
    schemeChooser_ = chooser;
    chooser->show();
}
