// COptionTreeItemFile: the file row of the option tree.
#include "optiontree/option_tree_item_file.h"

#include "optiontree/option_tree.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>

namespace {

constexpr int kHeightPadding = 5;
constexpr int kLineSpacing = 3;
// The first line's top, so that its text lines up with a label drawn at the top.
constexpr int kFirstLineTop = 3;

} // namespace

bool COptionTreeItemFile::createEditor(std::uint32_t options) {
    if (tree() == nullptr || created_) {
        return false;
    }
    created_ = true;
    options_ = options;
    createdHeight_ = height();
    fitHeight();
    return true;
}

void COptionTreeItemFile::setText(const std::u16string& text) {
    setPaths(text.empty() ? QStringList() : QStringList{QString::fromStdU16String(text)});
}

std::u16string COptionTreeItemFile::text() const {
    return paths_.isEmpty() ? std::u16string() : paths_.first().toStdU16String();
}

void COptionTreeItemFile::setFileDialog(const std::u16string& path,
                                        const std::u16string& defaultExtension,
                                        const std::u16string& filter, std::uint32_t flags) {
    defaultExtension_ = QString::fromStdU16String(defaultExtension);
    filter_ = QString::fromStdU16String(filter);
    dialogFlags_ = flags;
    setText(path);
}

void COptionTreeItemFile::setPaths(const QStringList& paths) {
    paths_ = paths;
    paths_.removeAll(QString());
    fitHeight();
    if (tree() != nullptr) {
        tree()->refreshItems();
    }
}

int COptionTreeItemFile::lineHeight() const {
    return QFontMetrics(normalFont()).height() + kLineSpacing;
}

void COptionTreeItemFile::fitHeight() {
    if (!created_) {
        return;
    }
    // A single path stays on the row as created; more grow it, with the label at the top.
    const int needed = static_cast<int>(paths_.size()) * lineHeight() + kHeightPadding;
    if (paths_.size() > 1 && needed > createdHeight_) {
        setHeight(needed);
        setLabelAtTop(true);
    } else {
        setHeight(createdHeight_);
        setLabelAtTop(false);
    }
}

QStringList COptionTreeItemFile::displayLines() const {
    QStringList lines;
    const bool showPath = (options_ & FileRowOption::kShowPath) != 0;
    const bool showName = !showPath && (options_ & FileRowOption::kShowName) != 0;
    const bool showTitle = !showPath && !showName && (options_ & FileRowOption::kShowTitle) != 0;
    for (const QString& path : paths_) {
        if (showName || showTitle) {
            const QFileInfo info(path);
            if (!info.exists()) {
                continue;
            }
            lines.append(showName ? info.fileName() : info.completeBaseName());
        } else {
            lines.append(path);
        }
    }
    if (lines.isEmpty()) {
        lines.append(emptyText_.isEmpty()
                         ? QCoreApplication::translate("OptionTree", "No selection made.")
                         : emptyText_);
    }
    return lines;
}

COptionTreeFileDlg COptionTreeItemFile::dialog() const {
    COptionTreeFileDlg::Mode mode = COptionTreeFileDlg::Mode::Save;
    if ((options_ & FileRowOption::kFolder) != 0) {
        mode = COptionTreeFileDlg::Mode::Folder;
    } else if ((options_ & FileRowOption::kOpenDialog) != 0) {
        mode = COptionTreeFileDlg::Mode::Open;
    }
    COptionTreeFileDlg chooser(mode, paths_.isEmpty() ? QString() : paths_.first(),
                               defaultExtension_, filter_, dialogFlags_);
    chooser.setPreview(preview_);
    return chooser;
}

void COptionTreeItemFile::drawValue(QPainter& painter, const QRect& valueRect) {
    const QStringList lines = displayLines();
    if (lines.size() == 1) {
        drawValueText(painter, valueRect, lines.first());
        return;
    }
    const int step = lineHeight();
    QRect line(valueRect.left(), valueRect.top() + kFirstLineTop, valueRect.width(), step);
    for (const QString& text : lines) {
        drawValueText(painter, line, text);
        line.translate(0, step);
    }
}

void COptionTreeItemFile::showEditor() {
    // Activation comes from inside the list's own input handling; a second one while the
    // dialog is up must not stack another dialog.
    if (!created_ || choosing_ || tree() == nullptr) {
        return;
    }
    choosing_ = true;
    const COptionTreeFileDlg chooser = dialog();
    const QPointer<COptionTree> owner = tree();
    const std::optional<QStringList> chosen =
        runner_ ? runner_(chooser, owner.data()) : chooser.exec(owner.data());
    // The tree may have deleted this row while the dialog was up: then touch nothing.
    if (owner == nullptr || !owner->containsItem(this)) {
        return;
    }
    choosing_ = false;
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    setPaths(*chosen);
    commit();
}
