// The clock's context menu: every command as one action, shared by the clock and its tray icon.
#include "app/clock_menu.h"

ClockMenu::ClockMenu() : menu_(std::make_unique<QMenu>(QStringLiteral("Options"))) {
    QMenu& top = *menu_;
    add(top, "Info...", MenuCommand::Info);
    QMenu* web = top.addMenu(QStringLiteral("Web help"));
    add(*web, "Official VELMORA web site...", MenuCommand::Site);
    web->addSeparator();
    add(*web, "Usage manual...", MenuCommand::Usage);
    add(*web, "Customizing tutorial...", MenuCommand::Customizing);
    web->addSeparator();
    add(*web, "Frequently asked questions (FAQ)...", MenuCommand::Faq);
    add(*web, "Send e-mail feedback...", MenuCommand::Feedback);
    web->addSeparator();
    add(*web, "Latest version...", MenuCommand::Download);
    top.addSeparator();
    add(top, "Click through", MenuCommand::ClickThrough)->setCheckable(true);
    add(top, "Stay on top", MenuCommand::StayOnTop)->setCheckable(true);

    QMenu* transparency = top.addMenu(QStringLiteral("Transparency"));
    for (std::size_t i = 0; i < kTransparencyItems.size(); ++i) {
        transparency_[i] = transparency->addAction(QString::fromUtf8(kTransparencyItems[i].label));
        transparency_[i]->setCheckable(true);
        if (kTransparencyItems[i].separatorAfter) {
            transparency->addSeparator();
        }
    }
    // Kept for its place in the menu; there is no sound to play.
    add(top, "Play sounds", MenuCommand::PlaySounds)->setEnabled(false);
    top.addSeparator();

    QMenu* size = top.addMenu(QStringLiteral("Size"));
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        sizes_[i] = size->addAction(QString::fromUtf8(kSizeItems[i].label));
        sizes_[i]->setCheckable(true);
        if (kSizeItems[i].separatorAfter) {
            size->addSeparator();
        }
    }
    QAction* other = add(*size, "other size", MenuCommand::OtherSize);
    other->setCheckable(true);
    other->setEnabled(false);
    add(top, "Hide to tray", MenuCommand::HideToTray)->setCheckable(true);
    top.addSeparator();
    // Above the scheme and zone items, whose places from the bottom of the menu stay.
    add(top, "New clock", MenuCommand::NewClock);
    add(top, "Start with the desktop", MenuCommand::StartWithDesktop)->setCheckable(true);
    add(top, "Dates in my language", MenuCommand::DatesInMyLanguage)->setCheckable(true);
    top.addSeparator();
    add(top, "Schemes...", MenuCommand::Schemes);
    add(top, "Customize...", MenuCommand::Customize);
    add(top, "Time zones...", MenuCommand::TimeZones);
    top.addSeparator();

    QMenu* priority = top.addMenu(QStringLiteral("Process priority"));
    for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
        priorities_[i] = priority->addAction(QString::fromUtf8(kPriorityItems[i].label));
        priorities_[i]->setCheckable(true);
        if (kPriorityItems[i].separatorAfter) {
            priority->addSeparator();
        }
    }
    add(top, "Exit", MenuCommand::Exit);
    // What a double click does, shown as the menu's default item.
    top.setDefaultAction(action(MenuCommand::ClickThrough));
}

QAction* ClockMenu::add(QMenu& menu, const char* label, MenuCommand command) {
    QAction* created = menu.addAction(QString::fromUtf8(label));
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
