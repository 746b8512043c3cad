// The clock's context menu: every command as one action, shared by the clock and its tray icon.
#include "app/window/clock_menu.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// The plain steps ("5%") are numbers, written as the user's language writes a percentage
// ("5 %" in German); the named ones ("0% (opaque)") are translated whole.
QString transparencyLabel(const char* label) {
    const QString text = QString::fromLatin1(label);
    bool plain = false;
    const int percent = text.chopped(1).toInt(&plain);
    if (!plain || !text.endsWith(QLatin1Char('%'))) {
        return QCoreApplication::translate("ClockMenu", label);
    }
    //: A step of the transparency menu; %1 is the number.
    return QCoreApplication::translate("ClockMenu", "%1%").arg(QLocale().toString(percent));
}

} // namespace

ClockMenu::ClockMenu(const QString& clockTitle)
    : menu_(std::make_unique<QMenu>(QCoreApplication::translate("ClockMenu", "Options"))) {
    QMenu& top = *menu_;
    // With several clocks on the desktop, the menu says whose it is; its window, a window of
    // its own on some desktops, goes by the same name.
    menu_->setWindowTitle(clockTitle);
    QAction* title = top.addAction(clockTitle);
    title->setEnabled(false);
    commands_.emplace_back(MenuCommand::ClockTitle, title);
    top.addSeparator();
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "&Info..."), MenuCommand::Info);
    QMenu* web = top.addMenu(QCoreApplication::translate("ClockMenu", "&Web help"));
    add(*web, QT_TRANSLATE_NOOP("ClockMenu", "Official VELMORA web site..."), MenuCommand::Site);
    web->addSeparator();
    add(*web, QT_TRANSLATE_NOOP("ClockMenu", "Usage manual..."), MenuCommand::Usage);
    add(*web, QT_TRANSLATE_NOOP("ClockMenu", "Customizing tutorial..."), MenuCommand::Customizing);
    web->addSeparator();
    add(*web, QT_TRANSLATE_NOOP("ClockMenu", "Frequently asked questions (FAQ)..."),
        MenuCommand::Faq);
    add(*web, QT_TRANSLATE_NOOP("ClockMenu", "Send e-mail feedback..."), MenuCommand::Feedback);
    web->addSeparator();
    add(*web, QT_TRANSLATE_NOOP("ClockMenu", "Latest version..."), MenuCommand::Download);
    top.addSeparator();
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "C&lick through"), MenuCommand::ClickThrough)
        ->setCheckable(true);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Stay on &top"), MenuCommand::StayOnTop)
        ->setCheckable(true);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "On all wor&kspaces"), MenuCommand::OnAllWorkspaces)
        ->setCheckable(true);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "L&ock position"), MenuCommand::LockPosition)
        ->setCheckable(true);

    QMenu* transparency = top.addMenu(QCoreApplication::translate("ClockMenu", "T&ransparency"));
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        transparency_[i] = transparency->addAction(transparencyLabel(kTransparencyItems[i].label));
        transparency_[i]->setCheckable(true);
        if (kTransparencyItems[i].separatorAfter) {
            transparency->addSeparator();
        }
    }
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Pla&y sounds"), MenuCommand::PlaySounds)
        ->setCheckable(true);
    top.addSeparator();
    // Between the items counted from the top and those counted from the bottom, whose places
    // stay.
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "&Calendar..."), MenuCommand::Calendar);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "&Alarms..."), MenuCommand::Alarms);
    QAction* next =
        add(top, QT_TRANSLATE_NOOP("ClockMenu", "Next alarm: %1"), MenuCommand::NextAlarm);
    next->setEnabled(false);
    next->setVisible(false);
    top.addSeparator();

    QMenu* size = top.addMenu(QCoreApplication::translate("ClockMenu", "&Size"));
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        sizes_[i] = size->addAction(QCoreApplication::translate("ClockMenu", kSizeItems[i].label));
        sizes_[i]->setCheckable(true);
        if (kSizeItems[i].separatorAfter) {
            size->addSeparator();
        }
    }
    QAction* other =
        add(*size, QT_TRANSLATE_NOOP("ClockMenu", "other size"), MenuCommand::OtherSize);
    other->setCheckable(true);
    other->setEnabled(false);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "&Hide to tray"), MenuCommand::HideToTray)
        ->setCheckable(true);
    top.addSeparator();
    // Above the scheme and zone items, whose places from the bottom of the menu stay.
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "&New clock"), MenuCommand::NewClock);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Start with the &desktop"),
        MenuCommand::StartWithDesktop)
        ->setCheckable(true);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Dates in my lan&guage"),
        MenuCommand::DatesInMyLanguage)
        ->setCheckable(true);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Smooth &motion"), MenuCommand::SmoothMotion)
        ->setCheckable(true);
    top.addSeparator();
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Sch&emes..."), MenuCommand::Schemes);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "C&ustomize..."), MenuCommand::Customize);
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "Time &zones..."), MenuCommand::TimeZones);
    top.addSeparator();

    QMenu* priority = top.addMenu(QCoreApplication::translate("ClockMenu", "&Process priority"));
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        priorities_[i] =
            priority->addAction(QCoreApplication::translate("ClockMenu", kPriorityItems[i].label));
        priorities_[i]->setCheckable(true);
        if (kPriorityItems[i].separatorAfter) {
            priority->addSeparator();
        }
    }
    add(top, QT_TRANSLATE_NOOP("ClockMenu", "E&xit"), MenuCommand::Exit);
    // What a double click does, shown as the menu's default item.
    top.setDefaultAction(action(MenuCommand::ClickThrough));
}

QAction* ClockMenu::add(QMenu& menu, const char* label, MenuCommand command) {
    QAction* created = menu.addAction(QCoreApplication::translate("ClockMenu", label));
    commands_.emplace_back(command, created);
    return created;
}

QAction* ClockMenu::action(MenuCommand command) const {
    for (const auto& [id, created] : commands_) {
        if (id == command) {
            return created;
        }
    }
    return nullptr;
}
