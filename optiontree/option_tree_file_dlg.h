// COptionTreeFileDlg: the file row's choice of an open, save or folder dialog.
#pragma once

#include <QFileDialog>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

// The dialog flags a file row is given, by their traditional values.
namespace FileDialogFlag {
constexpr std::uint32_t kOverwritePrompt = 0x2;
constexpr std::uint32_t kAllowMultiSelect = 0x200;
constexpr std::uint32_t kPathMustExist = 0x800;
constexpr std::uint32_t kFileMustExist = 0x1000;
constexpr std::uint32_t kNoDereferenceLinks = 0x100000;
} // namespace FileDialogFlag

// A thin description of one dialog: what kind, what it starts with and offers. exec() runs the
// real dialog; tests read the description instead.
class COptionTreeFileDlg {
public:
    enum class Mode { Open, Save, Folder };
    // A file's picture within a size; null when it has none to show.
    using Preview = std::function<QImage(const QString& path, const QSize& within)>;
    // The side of the square a preview fills, in device-independent pixels.
    static constexpr int kPreviewSide = 160;

    // filter is in the row's form: description and pattern pairs, each ended by "|", patterns
    // separated by ";" ("Images|*.png;*.jpg|All files (*.*)|*.*|").
    COptionTreeFileDlg(Mode mode, QString initialPath, QString defaultExtension,
                       const QString& filter, std::uint32_t flags);

    Mode mode() const { return mode_; }
    const QString& title() const { return title_; }
    const QString& initialPath() const { return initialPath_; }
    const QString& defaultSuffix() const { return defaultSuffix_; }
    // Qt's name filters, one per pair.
    const QStringList& nameFilters() const { return nameFilters_; }
    std::uint32_t flags() const { return flags_; }
    // With a preview, the dialog shows the picture of the file under the cursor beside the
    // list (in Qt's own dialog, which has room for it).
    void setPreview(Preview preview) { preview_ = std::move(preview); }
    bool hasPreview() const { return static_cast<bool>(preview_); }
    QFileDialog::AcceptMode acceptMode() const;
    QFileDialog::FileMode fileMode() const;
    QFileDialog::Options options() const;

    // Shows the dialog modally over parent: the chosen paths, or nothing when cancelled.
    std::optional<QStringList> exec(QWidget* parent) const;
    // Puts the preview beside the list of a dialog of Qt's own; nothing without a preview.
    void addPreview(QFileDialog& dialog) const;

    // The row's filter in Qt's form: "Images|*.png;*.jpg|" gives "Images (*.png *.jpg)"; a
    // description that already ends with its patterns in brackets is kept as it is.
    static QStringList toNameFilters(const QString& filter);
    // Where a dialog starts whose file has no folder on this machine: the user's pictures,
    // else the home folder.
    static QString startFolder();

private:
    Mode mode_;
    QString title_;
    QString initialPath_;
    QString defaultSuffix_;
    QStringList nameFilters_;
    std::uint32_t flags_;
    Preview preview_;
};
