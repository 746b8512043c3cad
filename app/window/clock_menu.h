// The clock's context menu: every command as one action, shared by the clock and its tray icon.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <array>
#include <memory>

// The commands of the menu, by the numbers they have always had.
enum class MenuCommand : int {
    Info = 57664,
    Site = 40056,
    Usage = 40076,
    Customizing = 40080,
    Faq = 40055,
    Feedback = 40081,
    Download = 40057,
    ClickThrough = 40059,
    StayOnTop = 40004,
    PlaySounds = 40029,
    OtherSize = 40093,
    HideToTray = 40073,
    Customize = 40003,
    TimeZones = 40082,
    NewClock = 40101,
    StartWithDesktop = 40102,
    Schemes = 40103,
    DatesInMyLanguage = 40104,
    OnAllWorkspaces = 40105,
    LockPosition = 40106,
    // The first item, disabled: which clock the menu belongs to.
    ClockTitle = 40107,
    SmoothMotion = 40108,
    Calendar = 40109,
    Alarms = 40110,
    // Not a command: the next alarm, named where the user looks for it.
    NextAlarm = 40111,
    Exit = 57665,
};

struct TransparencyItem {
    const char* label;
    int alpha;
    bool separatorAfter;
};

struct SizeItem {
    const char* label;
    int percent;
    bool separatorAfter;
};

struct PriorityItem {
    const char* label;
    int level;
    bool separatorAfter;
};

inline constexpr std::array<TransparencyItem, 20> kTransparencyItems = {{
    {QT_TRANSLATE_NOOP("ClockMenu", "0% (opaque)"), 255, true},
    {"5%", 243, false},
    {"10%", 230, false},
    {"15%", 217, false},
    {"20%", 204, true},
    {"25%", 192, true},
    {"30%", 179, false},
    {"35%", 166, false},
    {"40%", 153, false},
    {"45%", 141, true},
    {QT_TRANSLATE_NOOP("ClockMenu", "50% (semi transp.)"), 128, true},
    {"55%", 115, false},
    {"60%", 102, false},
    {"65%", 90, false},
    {"70%", 77, true},
    {"75%", 64, true},
    {"80%", 51, false},
    {"85%", 39, false},
    {"90%", 26, false},
    {QT_TRANSLATE_NOOP("ClockMenu", "95% (invisible)"), 13, false},
}};

inline constexpr std::array<SizeItem, 7> kSizeItems = {{
    {"25%", 25, false},
    {"50%", 50, false},
    {"75%", 75, true},
    {"100%", 100, true},
    {"125%", 125, false},
    {"150%", 150, false},
    {"200%", 200, true},
}};

inline constexpr std::array<PriorityItem, 5> kPriorityItems = {{
    {QT_TRANSLATE_NOOP("ClockMenu", "Highest"), 2, false},
    {QT_TRANSLATE_NOOP("ClockMenu", "Above normal"), 1, true},
    {QT_TRANSLATE_NOOP("ClockMenu", "Normal"), 0, true},
    {QT_TRANSLATE_NOOP("ClockMenu", "Below normal"), -1, false},
    {QT_TRANSLATE_NOOP("ClockMenu", "Lowest"), -2, false},
}};

class ClockMenu {
public:
    // For the clock of this title, which heads the menu.
    explicit ClockMenu(const QString& clockTitle);

    QMenu& menu() { return *menu_; }
    QAction* action(MenuCommand command) const;
    const std::array<QAction*, kTransparencyItems.size()>& transparencyActions() const {
        return transparency_;
    }
    const std::array<QAction*, kSizeItems.size()>& sizeActions() const { return sizes_; }
    const std::array<QAction*, kPriorityItems.size()>& priorityActions() const {
        return priorities_;
    }

private:
    QAction* add(QMenu& menu, const char* label, MenuCommand command);

    std::unique_ptr<QMenu> menu_;
    std::vector<std::pair<MenuCommand, QAction*>> commands_;
    std::array<QAction*, kTransparencyItems.size()> transparency_{};
    std::array<QAction*, kSizeItems.size()> sizes_{};
    std::array<QAction*, kPriorityItems.size()> priorities_{};
};
