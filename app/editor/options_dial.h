// COptionsDial: the customize dialog, editing the running clock's scheme live.
#pragma once

#include "app/dialogs/window_aligner.h"
#include "app/editor/dialog_template.h"
#include "app/editor/edit_history.h"
#include "app/editor/scheme_file_commands.h"
#include "app/editor/zone_row_choice.h"
#include "optiontree/option_tree.h"

#include <QColor>
#include <QDialog>
#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Clock;
class ClockObject;
class CTrueColorToolBar;
class SettingsStore;
class COptionTreeItem;
class QMenu;
class QPushButton;

class COptionsDial : public QDialog, public OptionTreeReceiver {
    Q_OBJECT

public:
    // Commands of the element toolbar.
    enum Command : int {
        MoveDown = 40043,
        MoveUp = 40044,
        DeleteSelected = 40045,
        NewHand = 40046,
        NewSlice = 40047,
        NewText = 40048,
        CopySelected = 40049,
        // Offered on an element's row (its context menu), not on the toolbar.
        MoveToTop = 40050,
        MoveToBottom = 40051,
    };
    // Controls of the layout that code refers to.
    enum ControlId : int {
        TreePlaceholder = 1000,
        RevertButton = 1001,
        SaveAsButton = 1002,
        LoadButton = 1003,
        ToolBarPlaceholder = 1004,
        SchemeName = 1005,
        RestoreDefaultsButton = 1006,
        TreeId = 1012,
        StepBackButton = 1007,
        StepForwardButton = 1008,
        OkButton = 1,
        CancelButton = 2,
    };
    static constexpr int kTreeOptions = 0x1B;
    static constexpr int kColumnPosition = 160;
    static constexpr int kButtonWidth = 16;
    // The least the tree keeps when the dialog shrinks to fit a small screen: three rows and
    // a few lines of description.
    static constexpr QSize kTreeMinimum{240, 120};
    // The room left between controls then, in dialog units.
    static constexpr int kMinimumGapUnits = 3;

    // What a file dialog is asked for.
    using FileRequest = SchemeFileDialog::Request;
    using FileDialog = SchemeFileCommands::FileDialog;
    using MessageBox = SchemeFileCommands::MessageBox;

    // Opens on the clock the parent window draws; the clock outlives the dialog.
    COptionsDial(Clock& clock, SettingsStore& settings, QWidget* parent = nullptr);
    ~COptionsDial() override;

    // The dialogs alive in the process; the clock window opens a second one only at 0.
    static int instanceCount();
    static const DialogTemplate& dialogTemplate();
    // False when the toolbar or the tree could not be made; the dialog is then unusable.
    bool isInitialized() const { return initialized_; }

    // Tests answer the file and message dialogs through these instead of a person.
    void setFileDialog(FileDialog dialog) { files_.setFileDialog(std::move(dialog)); }
    void setMessageBox(MessageBox box) { files_.setMessageBox(std::move(box)); }
    void setZonePicker(ZoneRowChoice::Picker picker) { zones_.setPicker(std::move(picker)); }
    void setZoneNotice(ZoneRowChoice::Notice notice) { zones_.setNotice(std::move(notice)); }

    // Runs a toolbar or row menu command; one on the selected element only where it acts
    // (see canRun).
    void runCommand(int command);
    // Whether the command acts now: a new element always, Copy and Delete on a selected
    // element, the moves where the element has a neighbour that way.
    bool canRun(int command) const;
    // The menu of the selected element's row: its moves, Copy and Delete.
    std::unique_ptr<QMenu> rowMenu();
    // True when the scheme was written to a file.
    bool saveAs();
    // Load: the example schemes and those used last, and any other file from a file dialog.
    QMenu* loadMenu() const;
    // Loads from a file the file dialog asks for.
    void load();
    // Loads that scheme; whether it did (the user was told why not).
    bool loadFile(const QString& path);
    // Back to the scheme as the dialog opened, after the user confirmed it; a step, so
    // Ctrl+Z takes it back.
    void revert();
    // The built-in scheme, after the user confirmed it; a step too.
    void restoreDefaults();
    // One edit back or forward (Ctrl+Z, Ctrl+Shift+Z); every committed edit and toolbar
    // command is a step.
    void stepBack();
    void stepForward();
    std::size_t stepsBack() const { return history_.stepsBack(); }
    std::size_t stepsForward() const { return history_.stepsForward(); }
    // The clock window's side of editing on the clock: selects the element's row and
    // scrolls it into view (null selects nothing new); moves an element's offsets.
    void selectOnClock(ClockObject* element);
    // Sets the element's x and y offsets (percent of the radius, kept in -100..100), shows
    // them in the rows and on the clock; finishMove records the move as one step.
    void moveElement(ClockObject* element, int dx, int dy);
    void finishMove();
    // OK keeps the scheme, Cancel (Esc, the window's close button) puts the clock back to the
    // scheme last saved or, without a save, to the one it showed at the opening. Unsaved edits
    // are never kept half: both ask first whether to save them, discard them (the clock then
    // goes back as Cancel does) or keep editing.
    void accept() override;
    void reject() override;
    // Closes the dialog as OK does, for the program's end or a scheme loaded from outside;
    // false when the user keeps editing.
    bool closeKeeping();
    // A size of the program's, to fit where the dialog opens; not saved as the user's.
    void resizeToFit(QSize size) { layout_.resizeUnsaved(size); }
    // Empties the tree and fills it again from the clock, keeping rows expanded and marked.
    void rebuildTree();

    COptionTree* tree() const { return tree_; }
    CTrueColorToolBar* toolBar() const { return toolBar_; }
    ClockObject* selectedElement() const { return selected_; }
    bool isSaved() const { return history_.isSaved(); }
    const Clock& backup() const { return *backup_; }
    QWidget* control(int id) const;

    long treeNotify(COptionTree& tree, int code, COptionTreeItem* item) override;
    // An element's row dragged to another place: the element moves there.
    void rowDropped(COptionTree& tree, COptionTreeItem* row, COptionTreeItem* before) override;
    // An element's row shows its menu (see rowMenu).
    void rowMenuRequested(COptionTree& tree, COptionTreeItem* row,
                          const QPoint& globalPosition) override;

protected:
    void showEvent(QShowEvent* event) override;

signals:
    // The clock changed in a way the next frame shows; the clock window draws it now.
    void schemeChanged();

private:
    bool initDialog();
    // Tab goes from the tree through the element buttons to the dialog's buttons.
    void orderTabStops();
    void selectElement(COptionTreeItem* item);
    ClockObject* findElement(const COptionTreeItem* item) const;
    // Each element button enabled where it acts.
    void updateElementButtons();
    // Selects the element's row, opening it when asked.
    void selectElementRow(ClockObject* element, bool open);
    void clearSelection();
    // The selected element when it stands in the clock's element list, else null.
    ClockObject* selectedListElement() const;
    // The element commands; each answers whether the scheme changed.
    bool moveSelected(bool down);
    bool copySelected();
    // Deletes the selected element; the one to select afterwards (the next, else the one
    // before, else the body), or null when nothing was deleted.
    ClockObject* deleteSelected();
    // Fills the Load menu as it opens.
    void fillLoadMenu();
    // After a load: the scheme shown, a step, saved as it is.
    void showLoaded(const QString& path);
    // Replaces the clock's content; elements of the old content are never touched again.
    void replaceClock(std::unique_ptr<Clock> content);
    // What the user chose about unsaved edits before closing.
    enum class Leaving { Kept, Discarded, Stay };
    Leaving askBeforeLeaving();
    // Puts the clock back to the scheme last saved, or to the opening one without a save.
    void discardChanges();
    void finish(int result);
    void showScheme(const QString& path);
    // The scheme's name in questions: its file's name, empty for the built-in scheme.
    QString schemeName() const;
    // After a change: a step for Ctrl+Z, and whether the scheme differs from the one saved.
    void recordStep();
    void enableStepButtons();
    // Shows a step's scheme (none: nothing), keeping the selected element by its place in the
    // list.
    void showStep(const Clock* step);
    int selectedIndex() const;
    void selectIndex(int index);
    // Appends a new element made to be seen at once; returns it.
    ClockObject* addElement(std::unique_ptr<ClockObject> element);
    // The settings' scheme and the scheme field as the setting and the path given.
    void restoreScheme(const std::u16string& setting, const QString& shown);

    CTrueColorToolBar* toolBar_ = nullptr;
    Clock* clock_;
    std::unique_ptr<Clock> backup_;
    COptionTree* tree_ = nullptr;
    CWindowAligner layout_;
    ClockObject* selected_ = nullptr;
    SettingsStore& settings_;
    bool initialized_ = false;
    // Set while the tree is emptied and filled: its notifications then concern rows that
    // are going away and are not acted upon.
    bool rebuilding_ = false;
    bool finished_ = false;
    bool columnSet_ = false;
    QString openedScheme_;
    QString shownScheme_;
    std::u16string openedSetting_;
    // What Cancel returns to: the scheme as opened, or as last saved, which is then the
    // scheme of the next start and must not be taken back.
    std::unique_ptr<Clock> cancelTo_;
    QString cancelScheme_;
    std::u16string cancelSetting_;
    EditHistory history_;
    bool moving_ = false;
    SchemeFileCommands files_;
    ZoneRowChoice zones_;
};
