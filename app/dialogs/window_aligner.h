// CWindowAligner: keeps a window's placement in the settings and its controls anchored.
#pragma once

#include "model/settings_store.h"
#include "velmora_export.h"

#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QSizeGrip>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a window placed at rect goes so that it stays usable on the screens' areas (the first
// is the primary screen's): a placement with a whole corner square of cornerSize pixels and a
// quarter of its area on one screen stays; any other is moved, and shrunk if need be, fully onto
// the screen it overlaps most, or onto the primary when it overlaps none. With no screen it
// stays.
VELMORA_EXPORT QRect usablePlacement(const QRect& rect, const QList<QRect>& screens,
                                     int cornerSize);

// Calls changed, for as long as receiver lives, whenever a screen is added or removed, the
// primary screen changes, or a screen's geometry or available geometry changes.
void watchScreens(QObject* receiver, const std::function<void()>& changed);

// The helper watches its window's move and resize events itself, so the window forwards
// nothing. The placement it stores is the window's top-left on the screen including any
// frame (QWidget::pos) and its size without the frame (QWidget::size): exactly what
// move() and resize() take back, so a restored window lands where it was.
class VELMORA_EXPORT CWindowAligner : public QObject {
public:
    // How long after a change of the screens moves are not saved (see watchScreens).
    static constexpr int kScreenSettleMs = 1500;
    // How long the window system has to answer a move or resize the user made before the
    // placement it then shows is judged (see userChange).
    static constexpr int kConfirmMs = 300;
    // Anchor flags of a control; the values are those the dialogs register with.
    enum Anchor : unsigned {
        MoveRight = 1,
        MoveDown = 2,
        StretchRight = 4,
        StretchDown = 8,
    };

    explicit CWindowAligner(SettingsStore& store);
    // Saves a user's change still waiting for the window system's answer, if it shows it.
    ~CWindowAligner() override;

    CWindowAligner(const CWindowAligner&) = delete;
    CWindowAligner& operator=(const CWindowAligner&) = delete;

    // Manages the window: forgets earlier controls, takes the initial size from the client
    // size of sizeSource (of the window when null) and restores the stored placement. An
    // empty name keeps the placement out of the settings.
    void initForWindow(QWidget* window, QWidget* sizeSource, bool enforceMinimum,
                       std::string_view name, bool relativeToParent);
    // Like initForWindow for a dialog whose design size is the initial size: the size it
    // was given, or the one it would be shown with. The enforce-minimum flag is kept.
    void initForTemplate(QWidget* dialog, std::string_view name, bool relativeToParent);

    // The size stored for the named window; `fallback` for each side not stored or empty.
    static QSize storedSize(SettingsStore& store, std::string_view name, QSize fallback);
    // Whether a position is stored for the named window: one the user once gave it.
    static bool hasStoredPosition(SettingsStore& store, std::string_view name);

    // Registers a control at its current place; controlName lets a pass find it again
    // should the widget be destroyed and recreated.
    void addWindow(QWidget* control, unsigned flags, const QString& controlName = {});

    void arrangeControls();
    void restorePlacement();
    void savePlacement();
    // Brings a top-level window back onto the screens by usablePlacement, without saving the
    // correction: the settings keep only placements the user made.
    void keepOnScreen();
    // Runs change with saving held off, for geometry the program imposes.
    void withoutSaving(const std::function<void()>& change);
    // Gives the window a size of the program's, to fit where it opens (a small screen, the
    // room beside the clock): while the window keeps that size, the size saved with its
    // place stays the one it had before.
    void resizeUnsaved(QSize size);

    // For a window that moves and resizes itself, as the clock does: from now on its moves
    // and resizes are saved only when made through userChange, never those a window manager
    // or compositor imposes (centring it, tiling it, putting it into a shadow frame, pushing
    // it after a change of the screens).
    void saveOnlyUserChanges();
    bool savesOnlyUserChanges() const { return userChangesOnly_; }
    // Runs change, a move or resize the user asked for (a drag, a corner resize, a size
    // preset from the menu). The placement is saved once the window system has had
    // kConfirmMs to answer and only if the window is then where change put it: a window
    // system that refuses the move or places the window elsewhere gets nothing saved. A run
    // of changes (a drag) is saved once, after the last.
    void userChange(const std::function<void()>& change);
    // Judges a user's change still waiting for the window system's answer now; for the end
    // of the program, which the wait must not lose.
    void settleUserChange();
    // The corner square usablePlacement keeps on a screen; 32 unless set before the init.
    void setCornerSize(int size) { cornerSize_ = size; }

    // The smallest client size at which the controls keep their order without overlapping,
    // at least `gap` pixels apart where they were further, and stretched ones keep their own
    // minimum size: how far the window may shrink below its initial size.
    QSize compactSize(int gap) const;
    // Lets the window shrink down to `size` (not below compactSize's answer, not above the
    // initial size) instead of stopping at its initial size.
    void setMinimumLayoutSize(QSize size);
    // Stops the user from making the window smaller than its minimum layout size, its initial
    // size unless set. The window system adds the frame to a widget's minimum size, so the
    // client size is enough. False, and nothing changes, when the initial size is 0 x 0.
    bool applyMinimumTrackSize();
    // Puts a size grip into the window's bottom-right corner; it follows each resize.
    void showSizeGrip();

    QSize initialSize() const { return initialSize_; }
    QSize minimumLayoutSize() const { return minimumLayout_.value_or(initialSize_); }
    bool enforcesMinimum() const { return enforceMinimum_; }
    QSizeGrip* sizeGrip() const { return grip_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Control {
        QPointer<QWidget> widget;
        QString name;
        int left = 0;
        int top = 0;
        int rightMargin = 0;
        int bottomMargin = 0;
        int width = 0;
        int height = 0;
        unsigned flags = 0;
        // False for a control registered by a name that found nothing yet.
        bool measured = false;
    };

    void manage(QWidget* window);
    bool isBusy() const { return layoutRunning_ || restoring_; }
    bool hasPlacement() const { return window_ != nullptr && !name_.empty(); }
    QPoint parentOrigin() const;
    void applyUnsaved(const QRect& target);
    QRect storedRect() const;
    QSize layoutSize() const;
    QWidget* findControl(const QString& controlName) const;
    QRect controlRect(const QWidget& control) const;
    void measure(Control& control) const;
    void placeControl(Control& control, QSize client);
    void placeSizeGrip();

    SettingsStore& store_;
    QPointer<QWidget> window_;
    bool enforceMinimum_ = true;
    QSize initialSize_{0, 0};
    std::optional<QSize> minimumLayout_;
    std::vector<Control> controls_;
    std::string name_;
    bool layoutRunning_ = false;
    bool relativeToParent_ = false;
    // Set while the program places the window itself: only the user's moves are saved.
    bool restoring_ = false;
    // Runs from a change of the screens until the window manager has had time to push
    // windows around on them; moves meanwhile are its, not the user's.
    QDeadlineTimer screensSettling_;
    QPointer<QSizeGrip> grip_;
    int cornerSize_ = 32;
    bool userChangesOnly_ = false;
    // The placement the user's last change asked for, until the window system has answered.
    std::optional<QRect> requested_;
    // The size resizeUnsaved gave, and the one to save instead while the window keeps it.
    std::optional<QSize> fitted_;
    QSize unfitted_;
    QTimer confirm_;
};
