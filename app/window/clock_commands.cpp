// The clock's context menu: made at its first use, its marks brought up to date at each
// opening, and its commands run on the clock.
#include "app/window/clock_commands.h"

#include "app/alarms/alarm_service.h"
#include "app/alarms/clock_chimes.h"
#include "app/desktop/date_language.h"
#include "app/desktop/program_icon.h"
#include "app/desktop/settings.h"
#include "app/dialogs/dialog_placement.h"
#include "app/dialogs/help_links.h"
#include "app/window/clock_dialogs.h"
#include "app/window/clock_host.h"
#include "app/window/view_settings.h"
#include "clock/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace {

// The clock's size at a preset of the menu: that share of its background's size.
QSize presetSize(const Clock& clock, int percent) {
    const double factor = percent / 100.0;
    return QSize(std::max(static_cast<int>(clock.backgroundWidth() * factor), 1),
                 std::max(static_cast<int>(clock.backgroundHeight() * factor), 1));
}

// The page an item of the menu's "Web help" opens; nothing for the other commands.
std::optional<HelpLink> webHelpLink(MenuCommand command) {
    switch (command) {
    case MenuCommand::Site:
        return HelpLink::Site;
    case MenuCommand::Usage:
        return HelpLink::Usage;
    case MenuCommand::Customizing:
        return HelpLink::Customizing;
    case MenuCommand::Faq:
        return HelpLink::Faq;
    case MenuCommand::Feedback:
        return HelpLink::Feedback;
    case MenuCommand::Download:
        return HelpLink::Download;
    default:
        return std::nullopt;
    }
}

} // namespace

ClockMenu& ClockCommands::menu() {
    if (menu_ != nullptr) {
        return *menu_;
    }
    showProgramIconFromNowOn();
    menu_ = std::make_unique<ClockMenu>(clock_.widget().windowTitle());
    QWidget* window = &clock_.widget();
    QObject::connect(&menu_->menu(), &QMenu::aboutToShow, window, [this] { update(); });
    for (MenuCommand command : {MenuCommand::Info,         MenuCommand::Site,
                                MenuCommand::Usage,        MenuCommand::Customizing,
                                MenuCommand::Faq,          MenuCommand::Feedback,
                                MenuCommand::Download,     MenuCommand::ClickThrough,
                                MenuCommand::StayOnTop,    MenuCommand::OnAllWorkspaces,
                                MenuCommand::LockPosition, MenuCommand::HideToTray,
                                MenuCommand::Customize,    MenuCommand::TimeZones,
                                MenuCommand::NewClock,     MenuCommand::StartWithDesktop,
                                MenuCommand::Schemes,      MenuCommand::DatesInMyLanguage,
                                MenuCommand::SmoothMotion, MenuCommand::PlaySounds,
                                MenuCommand::Calendar,     MenuCommand::Alarms,
                                MenuCommand::Exit}) {
        QObject::connect(menu_->action(command), &QAction::triggered, window,
                         [this, command] { run(command); });
    }
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        QObject::connect(menu_->transparencyActions()[i], &QAction::triggered, window,
                         [this, i] { clock_.setOverallAlpha(kTransparencyItems[i].alpha); });
    }
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        QObject::connect(menu_->sizeActions()[i], &QAction::triggered, window,
                         [this, i] { applySize(kSizeItems[i].percent); });
    }
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        QObject::connect(menu_->priorityActions()[i], &QAction::triggered, window,
                         [this, i] { clock_.setThreadPriority(kPriorityItems[i].level); });
    }
    return *menu_;
}

void ClockCommands::showMenu(const QPoint& screenPosition) {
    QMenu& shown = menu().menu();
    if (!clock_.onLayerShell()) {
        clock_.widget().activateWindow();
        shown.exec(screenPosition);
        return;
    }
    // On the top layer the clock is above every window, the menu's too: the menu opens
    // beside the clock there, and at the click under the windows.
    QPoint at = screenPosition;
    const QScreen* screen = QGuiApplication::screenAt(screenPosition);
    if (clock_.view().stayOnTop && screen != nullptr) {
        at = placeBeside(clock_.widget().geometry(), shown.sizeHint(), screen->availableGeometry());
    }
    // As a Wayland window of its own the menu has no parent to pop up from, and a tiling
    // compositor would tile it across the screen; one of a fixed size floats.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        shown.setFixedSize(shown.sizeHint());
    }
    // Not exec(): the compositor's events that brought the click are still being handed out,
    // and a nested event loop would hand out the next ones in the middle.
    shown.popup(at);
}

void ClockCommands::update() {
    clock_.refreshTray();
    ClockMenu& items = menu();
    const ViewSettings& view = clock_.view();
    items.action(MenuCommand::StayOnTop)->setChecked(view.stayOnTop);
    // A layer surface belongs to an output, whichever workspace shows there.
    items.action(MenuCommand::OnAllWorkspaces)
        ->setChecked(view.onAllWorkspaces || clock_.onLayerShell());
    items.action(MenuCommand::OnAllWorkspaces)->setEnabled(!clock_.onLayerShell());
    items.action(MenuCommand::LockPosition)->setChecked(view.lockPosition);
    const QWindow* window = clock_.widget().windowHandle();
    const bool transparent =
        clock_.onLayerShell()
            ? view.clickThrough
            : window != nullptr && window->flags().testFlag(Qt::WindowTransparentForInput);
    items.action(MenuCommand::ClickThrough)->setChecked(transparent);
    items.action(MenuCommand::ClickThrough)->setEnabled(clock_.trayAvailable());
    items.action(MenuCommand::HideToTray)->setChecked(view.hiddenToTray);
    items.action(MenuCommand::HideToTray)->setEnabled(clock_.trayAvailable());
    items.action(MenuCommand::Customize)->setEnabled(ClockDialogs::canOpenOptionsDialog());
    // The tray's menu stays reachable while the modal dialog runs.
    items.action(MenuCommand::TimeZones)->setEnabled(clock_.dialogs().timezonesDialog() == nullptr);
    items.action(MenuCommand::StartWithDesktop)->setChecked(autostartEntry().isEnabled());
    items.action(MenuCommand::DatesInMyLanguage)->setChecked(datesInMyLanguage(clock_.settings()));
    items.action(MenuCommand::SmoothMotion)->setChecked(view.smoothMotion);
    items.action(MenuCommand::PlaySounds)->setChecked(clock_.chimes().playSounds());
    const QString next = clock_.alarms().nextAlarmText();
    QAction* nextAlarm = items.action(MenuCommand::NextAlarm);
    nextAlarm->setVisible(!next.isEmpty());
    // An ampersand in a label is a letter, not the item's shortcut.
    nextAlarm->setText(QCoreApplication::translate("ClockMenu", "Next alarm: %1")
                           .arg(QString(next).replace(QLatin1Char('&'), QStringLiteral("&&"))));
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        items.priorityActions()[i]->setChecked(view.threadPriority == kPriorityItems[i].level);
    }
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        items.transparencyActions()[i]->setChecked(view.overallAlpha ==
                                                   kTransparencyItems[i].alpha);
    }
    bool anySize = false;
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        const bool current =
            presetSize(clock_.clock(), kSizeItems[i].percent) == clock_.widget().size();
        items.sizeActions()[i]->setChecked(current);
        anySize = anySize || current;
    }
    items.action(MenuCommand::OtherSize)->setChecked(!anySize);
}

void ClockCommands::applySize(int percent) {
    // Without a background there is no natural size to scale: the window stays as it is.
    const QWidget& window = clock_.widget();
    if (clock_.clock().backgroundWidth() <= 0 || clock_.clock().backgroundHeight() <= 0) {
        return;
    }
    clock_.placeByUser(QRect(window.geometry().topLeft(), presetSize(clock_.clock(), percent)),
                       true);
}

void ClockCommands::run(MenuCommand command) {
    ViewSettings& view = clock_.view();
    ClockDialogs& dialogs = clock_.dialogs();
    switch (command) {
    case MenuCommand::ClickThrough:
        clock_.toggleClickThrough();
        break;
    case MenuCommand::StayOnTop:
        view.stayOnTop = !view.stayOnTop;
        clock_.settings().writeInt(settings::kStayOnTop, view.stayOnTop ? 1 : 0);
        clock_.applyViewState();
        break;
    case MenuCommand::OnAllWorkspaces:
        view.onAllWorkspaces = !view.onAllWorkspaces;
        clock_.settings().writeInt(settings::kOnAllWorkspaces, view.onAllWorkspaces ? 1 : 0);
        clock_.applyViewState();
        break;
    case MenuCommand::LockPosition:
        view.lockPosition = !view.lockPosition;
        clock_.settings().writeInt(settings::kLockPosition, view.lockPosition ? 1 : 0);
        break;
    case MenuCommand::HideToTray:
        if (!clock_.trayAvailable()) {
            break;
        }
        view.hiddenToTray = !view.hiddenToTray;
        clock_.applyViewState();
        clock_.drawFrame();
        break;
    case MenuCommand::Customize:
        dialogs.openOptionsDialog();
        break;
    case MenuCommand::TimeZones:
        dialogs.runTimezonesDialog();
        break;
    case MenuCommand::NewClock:
        startNewClock();
        break;
    case MenuCommand::Schemes:
        dialogs.openSchemeChooser();
        break;
    case MenuCommand::StartWithDesktop:
        toggleStartWithDesktop();
        break;
    case MenuCommand::PlaySounds:
        clock_.chimes().setPlaySounds(!clock_.chimes().playSounds());
        break;
    case MenuCommand::Calendar:
        clock_.openCalendar();
        break;
    case MenuCommand::Alarms:
        dialogs.openAlarms(clock_.alarms(), clock_.chimes());
        break;
    case MenuCommand::DatesInMyLanguage:
        toggleDatesInMyLanguage(clock_.settings(), clock_.clock());
        clock_.drawFrame();
        break;
    case MenuCommand::SmoothMotion:
        clock_.setSmoothMotion(!view.smoothMotion);
        break;
    case MenuCommand::Info:
        dialogs.runInfoDialog();
        break;
    case MenuCommand::Exit:
        clock_.exitAsUser();
        break;
    default:
        if (const std::optional<HelpLink> link = webHelpLink(command)) {
            openHelpLink(*link, &clock_.widget());
        }
        break;
    }
}

QString ClockCommands::startNewClock() {
    const QWidget& window = clock_.widget();
    const QScreen* where = window.screen();
    return NewClock::start(window.frameGeometry(),
                           where != nullptr ? where->availableVirtualGeometry() : QRect(),
                           clock_.clockLauncher());
}

AutostartEntry ClockCommands::autostartEntry() const {
    return AutostartEntry(Settings::applicationName(clock_.clockName()),
                          QCoreApplication::applicationFilePath(), clock_.clockName());
}

void ClockCommands::toggleStartWithDesktop() {
    const AutostartEntry entry = autostartEntry();
    const bool wanted = !entry.isEnabled();
    if (!entry.setEnabled(wanted)) {
        QMessageBox::warning(
            &clock_.widget(), QCoreApplication::translate("CVelmoraDlg", "Start with the desktop"),
            (wanted ? QCoreApplication::translate("CVelmoraDlg",
                                                  "The login entry %1 could not be written.")
                    : QCoreApplication::translate("CVelmoraDlg",
                                                  "The login entry %1 could not be removed."))
                .arg(QDir::toNativeSeparators(entry.filePath())));
    }
}
