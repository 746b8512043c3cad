// COptionTreeFileDlg: the file row's choice of an open, save or folder dialog.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
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
    QFileDialog::AcceptMode acceptMode() const;
    QFileDialog::FileMode fileMode() const;
    QFileDialog::Options options() const;

    // Shows the dialog modally over parent: the chosen paths, or nothing when cancelled.
    std::optional<QStringList> exec(QWidget* parent) const;

    // The row's filter in Qt's form: "Images|*.png;*.jpg|" gives "Images (*.png *.jpg)"; a
    // description that already ends with its patterns in brackets is kept as it is.
    static QStringList toNameFilters(const QString& filter);

private:
    Mode mode_;
    QString title_;
    QString initialPath_;
    QString defaultSuffix_;
    QStringList nameFilters_;
    std::uint32_t flags_;
};
