// The windows the clock opens for the user, and schemes loaded from outside the editor.
#include "app/window/clock_dialogs.h"

#include "app/desktop/program_icon.h"
#include "app/desktop/settings.h"
#include "app/desktop/user_path.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/dialog_placement.h"
#include "app/dialogs/recent_schemes.h"
#include "app/dialogs/scheme_chooser.h"
#include "app/dialogs/scheme_file_dialog.h"
#include "app/dialogs/scheme_load_error.h"
#include "app/dialogs/window_aligner.h"
#include "app/window/clock_editor.h"
#include "app/window/clock_planner.h"
#include "app/window/editor_module.h"
#include "app/window/planner_module.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/settings_store.h"
#include "model/utf.h"
#include "render/qt_text.h"

#include <QApplication>
#include <QCoreApplication>
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

// A part of the program that is a module of its own is missing from this installation; the
// message has a %1 for why.
void sayModuleMissing(QWidget* parent, const char* title, const char* message,
                      const QString& reason) {
    QMessageBox::warning(parent, QCoreApplication::translate("ClockDialogs", title),
                         QCoreApplication::translate("ClockDialogs", message).arg(reason));
}
} // namespace

ClockDialogs::ClockDialogs(QWidget& window, Clock& clock, SettingsStore& settings)
    : window_(window), clock_(clock), settings_(settings) {}

// The dialog edits the clock, which may go before the window's children would.
ClockDialogs::~ClockDialogs() {
    // The clock is going too: nothing steps back when the dialog goes with it.
    clockMover_ = nullptr;
    delete optionsDial_.data();
}

// Asked each time the menu opens: the module is loaded only when the user opens the editor.
bool ClockDialogs::canOpenOptionsDialog() {
    const ClockEditor* editor = EditorModule::loaded();
    return editor == nullptr || editor->customizeCount() == 0;
}

ClockEditor* ClockDialogs::editorOrMessage() {
    ClockEditor* editor = EditorModule::editor();
    if (editor == nullptr) {
        sayModuleMissing(&window_, QT_TRANSLATE_NOOP("ClockDialogs", "Editor missing"),
                         QT_TRANSLATE_NOOP("ClockDialogs",
                                           "The editor of this installation cannot be loaded "
                                           "(%1). Reinstalling the program brings it back."),
                         EditorModule::missingReason());
    }
    return editor;
}

ClockPlanner* ClockDialogs::plannerOrMessage() {
    ClockPlanner* planner = PlannerModule::planner();
    if (planner == nullptr) {
        sayModuleMissing(&window_, QT_TRANSLATE_NOOP("ClockDialogs", "Calendar missing"),
                         QT_TRANSLATE_NOOP("ClockDialogs",
                                           "The calendar and alarms of this installation cannot "
                                           "be loaded (%1). Reinstalling the program brings it "
                                           "back."),
                         PlannerModule::missingReason());
    }
    return planner;
}

void ClockDialogs::openCalendar(const QDate& today) {
    if (calendar_ != nullptr) {
        calendar_->raise();
        return;
    }
    ClockPlanner* planner = plannerOrMessage();
    if (planner == nullptr) {
        return;
    }
    QWidget* calendar = planner->makeCalendar(today, &window_);
    calendar_ = calendar;
    showProgramIconFromNowOn();
    // A pop-up has no frame of the window manager's around it.
    calendar->adjustSize();
    if (const QScreen* where = window_.screen()) {
        calendar->move(
            placeBeside(window_.frameGeometry(), calendar->size(), where->availableGeometry()));
    }
    calendar->show();
}

void ClockDialogs::openAlarms(AlarmService& alarms, ClockChimes& chimes) {
    if (alarmsDial_ != nullptr) {
        alarmsDial_->raise();
        alarmsDial_->activateWindow();
        return;
    }
    ClockPlanner* planner = plannerOrMessage();
    if (planner == nullptr) {
        return;
    }
    QDialog* dialog = planner->makeAlarms(alarms, chimes, &window_);
    alarmsDial_ = dialog;
    dialog->adjustSize();
    placeBesideClock(
        *dialog, [dialog](QSize size) { dialog->resize(size); }, false);
    dialog->show();
}

void ClockDialogs::openOptionsDialog() {
    ClockEditor* editor = editorOrMessage();
    if (editor == nullptr || editor->customizeCount() != 0) {
        return;
    }
    // What the user edits or loads now wins over a stored scheme that has yet to arrive.
    emit userSchemeChosen();
    QDialog* dialog =
        editor->openCustomize(clock_, settings_, &window_, [this] { emit schemeChanged(); });
    if (dialog == nullptr) {
        return;
    }
    optionsDial_ = dialog;
    const auto fit = [editor, dialog](QSize size) { editor->fitCustomize(*dialog, size); };
    placeBesideClock(*dialog, fit, true);
    dialog->show();
    stepAsideFrom(*dialog);
}

void ClockDialogs::runTimezonesDialog() {
    if (timezonesDial_ != nullptr) {
        return;
    }
    ClockEditor* editor = editorOrMessage();
    if (editor == nullptr) {
        return;
    }
    const std::unique_ptr<QDialog> dialog = editor->makeTimezones(settings_, &window_);
    timezonesDial_ = dialog.get();
    placeBesideClock(
        *dialog, [&dialog](QSize size) { dialog->resize(size); }, false);
    const int result = dialog->exec();
    timezonesDial_ = nullptr;
    if (result == QDialog::Accepted) {
        emit zonesChanged();
    }
}

bool ClockDialogs::pressOnClock(QPointF position, QPoint globalPosition, qreal ratio,
                                const velmora::PackedDateTime& utc) {
    ClockEditor* editor = EditorModule::loaded();
    return optionsDial_ != nullptr && editor != nullptr &&
           editor->pressOnClock(*optionsDial_, clock_, position, globalPosition, ratio, utc);
}

void ClockDialogs::moveOnClock(QPoint globalPosition, qreal ratio) {
    if (ClockEditor* editor = EditorModule::loaded()) {
        editor->moveOnClock(globalPosition, ratio);
    }
}

bool ClockDialogs::movingOnClock() const {
    const ClockEditor* editor = EditorModule::loaded();
    return editor != nullptr && editor->movingOnClock();
}

void ClockDialogs::releaseOnClock() {
    if (ClockEditor* editor = EditorModule::loaded()) {
        editor->releaseOnClock();
    }
}

bool ClockDialogs::keyOnClock(const QKeyEvent& key, qreal ratio) {
    ClockEditor* editor = EditorModule::loaded();
    return optionsDial_ != nullptr && editor != nullptr &&
           editor->keyOnClock(*optionsDial_, clock_, key, ratio);
}

void ClockDialogs::runInfoDialog() {
    CAboutDlg about(&window_);
    about.exec();
}

void ClockDialogs::placeBesideClock(QWidget& dialog, const std::function<void(QSize)>& resize,
                                    bool clockStepsAside) const {
    showProgramIconFromNowOn();
    const QScreen* where = window_.screen();
    if (where == nullptr) {
        return;
    }
    // The frame is not known before the window manager decorates the dialog: allow for a
    // title bar and borders as the style draws them.
    const QStyle* style = dialog.style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &dialog);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
    const QSize frame(2 * border, title + 2 * border);
    const QRect area = where->availableGeometry();
    // Whatever the screen and its scale, the dialog fits on it, and beside the clock where it
    // can shrink to the room there.
    const QSize room = area.size() - frame;
    dialog.setMinimumSize(dialog.minimumSize().boundedTo(room));
    const QRect clock = window_.frameGeometry();
    const QSize wanted = dialog.size().boundedTo(room) + frame;
    QRect place = placeBeside(clock, wanted, dialog.minimumSize() + frame, area);
    // Shrunk much to fit beside the clock, the tree would show a few rows only: a clock that
    // can step aside (see stepAsideFrom) leaves the dialog its size instead.
    const bool cramped =
        place.width() < wanted.width() * 3 / 4 || place.height() < wanted.height() * 3 / 4;
    if (clockStepsAside && clockMover_ && cramped) {
        const QRect whole(placeBeside(clock, wanted, area), wanted);
        if (!QRect(placeBeside(whole, clock.size(), area), clock.size()).intersects(whole)) {
            place = whole;
        }
    }
    if (place.size() - frame != dialog.size()) {
        resize(place.size() - frame);
    }
    dialog.move(place.topLeft());
}

// Some compositors place each new dialog themselves: sway centres it, and a clock never moved
// sits in the middle of the screen too. Under the dialog nothing on the clock can be edited,
// and a clock on top hides the dialog's middle. The window system has had kConfirmMs to
// answer when this looks, as for the clock's own moves. Neither place is saved: both are the
// program's, not the user's.
void ClockDialogs::stepAsideFrom(QDialog& dialog) {
    if (!clockMover_) {
        return;
    }
    QTimer::singleShot(CWindowAligner::kConfirmMs, &dialog, [this, &dialog] {
        const QRect covering = dialog.frameGeometry();
        const QRect clock = window_.geometry();
        const QScreen* screen = dialog.screen();
        if (!clockMover_ || !dialog.isVisible() || screen == nullptr ||
            !covering.intersects(clock)) {
            return;
        }
        const QPoint aside = placeBeside(covering, clock.size(), screen->availableGeometry());
        // Nowhere beside it: the clock stays rather than move under the dialog elsewhere.
        if (QRect(aside, clock.size()).intersects(covering)) {
            return;
        }
        clockMover_(aside);
        connect(&dialog, &QObject::destroyed, this, [this, home = clock.topLeft(), aside] {
            if (clockMover_ && window_.geometry().topLeft() == aside) {
                clockMover_(home);
            }
        });
    });
}

bool ClockDialogs::loadSchemeAsUser(const QString& path) {
    // Not QFileInfo: it would lose the bytes of a name that are not UTF-8.
    const QString absolute = UserPath::absolute(path);
    ReadError error;
    // Read whole before anything is asked or changed, so a bad file changes nothing.
    std::unique_ptr<Clock> fresh = readSchemeFile(qStringToPath(absolute), &error);
    if (fresh == nullptr) {
        const SchemeLoadError message = SchemeLoadError::of(absolute, error);
        if (loadErrorReport_) {
            loadErrorReport_(message.whole());
        } else {
            showProgramIconFromNowOn();
            QMessageBox box(QMessageBox::Warning,
                            QCoreApplication::translate("CVelmoraDlg", "Load error"), message.text,
                            QMessageBox::Ok, &window_);
            box.setDetailedText(message.detail);
            box.exec();
        }
        return false;
    }
    // The dialog's rows are of the scheme about to go.
    if (!closeOptionsDialog()) {
        return false;
    }
    emit userSchemeChosen();
    clock_.takeLoadedScheme(*fresh, qStringToPath(absolute), settings_);
    RecentSchemes::add(settings_, absolute);
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

bool ClockDialogs::closeOptionsDialog() {
    QDialog* dialog = optionsDial_;
    if (dialog == nullptr) {
        return true;
    }
    // A dialog is open, so the editor was loaded.
    if (!EditorModule::loaded()->closeCustomize(*dialog)) {
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
