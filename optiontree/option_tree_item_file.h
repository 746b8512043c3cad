// COptionTreeItemFile: the file row of the option tree.
#pragma once

#include "optiontree/option_tree_file_dlg.h"
#include "optiontree/option_tree_item.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

// Creation options of the file row. The first display option set decides what is shown.
namespace FileRowOption {
constexpr std::uint32_t kShowTitle = 0x200;    // the name without extension of existing paths
constexpr std::uint32_t kShowName = 0x400;     // the name with extension of existing paths
constexpr std::uint32_t kFolder = 0x8000;      // a folder chooser instead of a file dialog
constexpr std::uint32_t kOpenDialog = 0x20000; // an open dialog, not a save dialog
constexpr std::uint32_t kShowPath = 0x40000;   // each path as stored
} // namespace FileRowOption

// A list of paths, one per line, chosen with a dialog that activation opens. The row has no
// editor window: the dialog is its editor while it is up.
class COptionTreeItemFile : public COptionTreeItem {
public:
    // Runs the dialog: the chosen paths, or nothing when it was cancelled. Tests put their
    // choice here instead of a modal dialog.
    using DialogRunner = std::function<std::optional<QStringList>(const COptionTreeFileDlg& dialog,
                                                                  QWidget* parent)>;

    COptionTreeItemFile() = default;
    ~COptionTreeItemFile() override = default;

    RowKind kind() const override { return RowKind::File; }
    int kindCode() const override { return FileCode; }

    bool createEditor(std::uint32_t options) override;
    // The first path, alone, replaces the list; an empty text empties it.
    void setText(const std::u16string& text) override;
    std::u16string text() const override;
    void setFileDialog(const std::u16string& path, const std::u16string& defaultExtension,
                       const std::u16string& filter, std::uint32_t flags) override;

    const QStringList& paths() const { return paths_; }
    void setPaths(const QStringList& paths);
    // The lines the value shows, "No selection made." when there is nothing to show.
    QStringList displayLines() const;
    QString valueText() const override { return displayLines().join(QStringLiteral(", ")); }
    // What the row shows when it has no path to show ("No selection made." unless set), such
    // as a description of bytes that are carried without a file.
    void setEmptyText(const QString& text) { emptyText_ = text; }
    // The dialog activation would open now.
    COptionTreeFileDlg dialog() const;
    void setDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }
    // The dialog shows the picture of the file under the cursor, drawn by preview.
    void setPreview(COptionTreeFileDlg::Preview preview) { preview_ = std::move(preview); }
    // One line of paths: the font height plus 3.
    int lineHeight() const;

    void drawValue(QPainter& painter, const QRect& valueRect) override;
    void showEditor() override;

private:
    void fitHeight();

    QStringList paths_;
    QString emptyText_;
    QString defaultExtension_;
    QString filter_;
    std::uint32_t dialogFlags_ = 0;
    std::uint32_t options_ = 0;
    bool created_ = false;
    bool choosing_ = false;
    int createdHeight_ = kDefaultHeight;
    DialogRunner runner_;
    COptionTreeFileDlg::Preview preview_;
};
