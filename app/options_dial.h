// COptionsDial: the customize dialog, editing the running clock's scheme live.
#pragma once

#include "app/dialog_template.h"
#include "app/window_aligner.h"
#include "optiontree/option_tree.h"

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>

class Clock;
class ClockObject;
class CTrueColorToolBar;
class SettingsStore;
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
    };
    // Controls of the layout that code refers to.
    enum ControlId : int {
        TreePlaceholder = 1000,
        UndoButton = 1001,
        SaveAsButton = 1002,
        LoadButton = 1003,
        ToolBarPlaceholder = 1004,
        SchemeName = 1005,
        RestoreDefaultsButton = 1006,
        TreeId = 1012,
        OkButton = 1,
        CancelButton = 2,
    };
    static constexpr int kTreeOptions = 0x1B;
    static constexpr int kColumnPosition = 160;
    static constexpr int kButtonWidth = 46;

    // What a file dialog is asked for.
    struct FileRequest {
        bool save = false;
        // Where it starts, and the file name it offers when saving.
        QString folder;
        QString fileName;
        // Extra folders offered beside the usual places.
        QStringList places;
    };
    using FileDialog = std::function<QString(const FileRequest& request)>;
    using MessageBox = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& caption, const QString& text,
        QMessageBox::StandardButtons buttons)>;

    // Opens on the clock the parent window draws; the clock outlives the dialog.
    COptionsDial(Clock& clock, SettingsStore& settings, QWidget* parent = nullptr);
    ~COptionsDial() override;

    // The dialogs alive in the process; the clock window opens a second one only at 0.
    static int instanceCount();
    static const DialogTemplate& dialogTemplate();
    // False when the toolbar or the tree could not be made; the dialog is then unusable.
    bool isInitialized() const { return initialized_; }

    // Tests answer the file and message dialogs through these instead of a person.
    void setFileDialog(FileDialog dialog) { fileDialog_ = std::move(dialog); }
    void setMessageBox(MessageBox box) { messageBox_ = std::move(box); }

    void runCommand(int command);
    void saveAs();
    void load();
    void undo();
    void restoreDefaults();
    void accept() override;
    void reject() override;
    // Whether the caller may go on: asks to save when there are unsaved edits.
    bool confirmSaveChanges();
    // Empties the tree and fills it again from the clock, keeping rows expanded and marked.
    void rebuildTree();

    COptionTree* tree() const { return tree_; }
    CTrueColorToolBar* toolBar() const { return toolBar_; }
    ClockObject* selectedElement() const { return selected_; }
    bool isSaved() const { return saved_; }
    const Clock& backup() const { return *backup_; }
    QWidget* control(int id) const;
    // Where the file dialogs start: the folder of the last loaded scheme, else the user's
    // scheme folder, made when missing.
    QString startFolder() const;
    // The installed example schemes' folder, when there is one.
    static QString examplesFolder();

    long treeNotify(COptionTree& tree, int code, COptionTreeItem* item) override;

protected:
    void showEvent(QShowEvent* event) override;

signals:
    // The clock changed in a way the next frame shows; the clock window draws it now.
    void schemeChanged();

private:
    bool initDialog();
    void selectElement(COptionTreeItem* item);
    ClockObject* findElement(const COptionTreeItem* item) const;
    void setElementButtonsEnabled(bool enabled);
    void clearSelection();
    // The selected element when it stands in the clock's element list, else null.
    ClockObject* selectedListElement() const;
    // The element commands; each answers whether the scheme changed.
    bool moveSelected(bool down);
    bool copySelected();
    bool deleteSelected();
    // Replaces the clock's content; elements of the old content are never touched again.
    void replaceClock(std::unique_ptr<Clock> content);
    void finish(int result);
    void showScheme(const QString& path);
    QString askForFile(const FileRequest& request);
    QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& caption,
                                    const QString& text, QMessageBox::StandardButtons buttons);

    CTrueColorToolBar* toolBar_ = nullptr;
    Clock* clock_;
    std::unique_ptr<Clock> backup_;
    COptionTree* tree_ = nullptr;
    CWindowAligner layout_;
    ClockObject* selected_ = nullptr;
    bool saved_ = true;
    SettingsStore& settings_;
    bool initialized_ = false;
    // Set while the tree is emptied and filled: its notifications then concern rows that
    // are going away and are not acted upon.
    bool rebuilding_ = false;
    bool finished_ = false;
    bool columnSet_ = false;
    QString openedScheme_;
    FileDialog fileDialog_;
    MessageBox messageBox_;
};
