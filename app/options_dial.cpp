// COptionsDial: the customize dialog, editing the running clock's scheme live.
#include "app/options_dial.h"

#include "app/true_color_tool_bar.h"
#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "clock/scheme_file.h"
#include "model/settings_store.h"
#include "model/utf.h"
#include "resources/default_scheme.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <iterator>

namespace {

using Kind = TemplateItem::Kind;

constexpr TemplateItem kTemplate129Items[] = {
    {-1, Kind::Label, "Scheme:", {9, 6, 28, 8}, 0, "schemeLabel"},
    {COptionsDial::SchemeName,
     Kind::PathLabel,
     "",
     {43, 5, 136, 14},
     CWindowAligner::StretchRight,
     "schemeName"},
    {COptionsDial::SaveAsButton,
     Kind::Button,
     "Save As...",
     {208, 5, 43, 14},
     CWindowAligner::MoveRight,
     "saveAs"},
    {COptionsDial::LoadButton,
     Kind::Button,
     "Load...",
     {256, 5, 39, 14},
     CWindowAligner::MoveRight,
     "load"},
    {COptionsDial::ToolBarPlaceholder,
     Kind::Frame,
     "",
     {8, 21, 287, 21},
     CWindowAligner::StretchRight,
     "toolBarPlace"},
    {COptionsDial::TreePlaceholder,
     Kind::Frame,
     "",
     {8, 42, 287, 220},
     CWindowAligner::StretchRight | CWindowAligner::StretchDown,
     "treePlace"},
    {COptionsDial::UndoButton,
     Kind::Button,
     "Undo...",
     {8, 268, 39, 14},
     CWindowAligner::MoveDown,
     "undo"},
    {COptionsDial::RestoreDefaultsButton,
     Kind::Button,
     "Restore Defaults...",
     {50, 268, 77, 14},
     CWindowAligner::MoveDown,
     "restoreDefaults"},
    {COptionsDial::OkButton,
     Kind::DefaultButton,
     "OK",
     {190, 268, 50, 14},
     CWindowAligner::MoveRight | CWindowAligner::MoveDown,
     "ok"},
    {COptionsDial::CancelButton,
     Kind::Button,
     "Cancel",
     {245, 268, 50, 14},
     CWindowAligner::MoveRight | CWindowAligner::MoveDown,
     "cancel"},
};

constexpr DialogTemplate kTemplate129{
    129, "VELMORA - Customizing...", {304, 290}, kTemplate129Items};

// Toolbar 141: copy | new hand, slice, text | delete | down, up.
constexpr ToolBarButton kToolBar141[] = {
    {COptionsDial::CopySelected, "Copy the selected element"},
    {0, nullptr},
    {COptionsDial::NewHand, "New hand"},
    {COptionsDial::NewSlice, "New time slice"},
    {COptionsDial::NewText, "New digital display"},
    {0, nullptr},
    {COptionsDial::DeleteSelected, "Delete the selected element"},
    {0, nullptr},
    {COptionsDial::MoveDown, "Move the selected element down (drawn later)"},
    {COptionsDial::MoveUp, "Move the selected element up (drawn earlier)"},
};

constexpr int kElementCommands[] = {COptionsDial::CopySelected, COptionsDial::DeleteSelected,
                                    COptionsDial::MoveDown, COptionsDial::MoveUp};

const QString kNameFilter = QStringLiteral("Velmoras (*.Velmora)");
const QString kSuffix = QStringLiteral("Velmora");

int liveDialogs = 0;

QString toQString(const std::filesystem::path& path) {
    const std::u16string text = fromPath(path);
    return QString::fromStdU16String(text);
}

// The product's own dialogs; tests put theirs in place.
QString runFileDialog(QWidget* parent, const COptionsDial::FileRequest& request) {
    QFileDialog dialog(parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setNameFilter(kNameFilter);
    dialog.setDefaultSuffix(kSuffix);
    dialog.setDirectory(request.folder);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.places.isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        for (const QString& place : request.places) {
            const QUrl url = QUrl::fromLocalFile(place);
            if (!places.contains(url)) {
                places.append(url);
            }
        }
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QMessageBox::StandardButton runMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setWindowModality(Qt::WindowModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

COptionsDial::COptionsDial(Clock& clock, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), clock_(&clock), layout_(settings), settings_(settings) {
    ++liveDialogs;
    // A sizing border and a title; no system menu buttons beyond closing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setSizeGripEnabled(false);
    initialized_ = initDialog();
}

COptionsDial::~COptionsDial() {
    if (tree_ != nullptr) {
        // Rows are about to go: their expanded state is kept for the next dialog.
        clock_->saveItemState();
        clock_->forgetItem();
    }
    if (tree_ != nullptr) {
        tree_->setNotify(false, nullptr);
    }
    --liveDialogs;
}

int COptionsDial::instanceCount() {
    return liveDialogs;
}

const DialogTemplate& COptionsDial::dialogTemplate() {
    return kTemplate129;
}

QWidget* COptionsDial::control(int id) const {
    if (id == TreeId) {
        return tree_;
    }
    const TemplateItem* item = kTemplate129.item(id);
    return item != nullptr ? findChild<QWidget*>(QString::fromUtf8(item->name)) : nullptr;
}

bool COptionsDial::initDialog() {
    createTemplateControls(*this, kTemplate129);
    auto button = [this](int id) { return static_cast<QPushButton*>(control(id)); };
    connect(button(SaveAsButton), &QPushButton::clicked, this, &COptionsDial::saveAs);
    connect(button(LoadButton), &QPushButton::clicked, this, &COptionsDial::load);
    connect(button(UndoButton), &QPushButton::clicked, this, &COptionsDial::undo);
    connect(button(RestoreDefaultsButton), &QPushButton::clicked, this,
            &COptionsDial::restoreDefaults);
    connect(button(OkButton), &QPushButton::clicked, this, &COptionsDial::accept);
    connect(button(CancelButton), &QPushButton::clicked, this, &COptionsDial::reject);
    openedScheme_ = toQString(clock_->schemePath());
    showScheme(openedScheme_);

    QWidget* toolBarPlace = control(ToolBarPlaceholder);
    toolBar_ = new CTrueColorToolBar(this);
    toolBar_->setObjectName(QStringLiteral("elementToolBar"));
    toolBar_->setButtons(kToolBar141);
    if (!toolBar_->loadButtonImages(kButtonWidth, QStringLiteral(":/toolbar/elements.png"))) {
        return false;
    }
    toolBar_->setGeometry(toolBarPlace->geometry());
    connect(toolBar_, &CTrueColorToolBar::commandTriggered, this, &COptionsDial::runCommand);

    QWidget* treePlace = control(TreePlaceholder);
    tree_ = new COptionTree(kTreeOptions, this, TreeId);
    tree_->setObjectName(QStringLiteral("optionTree"));
    tree_->setGeometry(treePlace->geometry());
    tree_->setNotify(true, this);

    rebuildTree();
    if (COptionTreeItem* body = tree_->rootItem()->firstChild()) {
        body->setMarked(true);
        selectElement(body);
        tree_->setFocusedItem(body);
    }
    backup_ = clock_->cloneClock();

    // The template's size is the design and the minimum size; the stored placement follows.
    layout_.initForTemplate(this, settings::kOptionsWindow, false);
    for (int id : {CancelButton, OkButton, UndoButton, RestoreDefaultsButton, LoadButton,
                   SaveAsButton, SchemeName}) {
        layout_.addWindow(control(id), kTemplate129.item(id)->anchors,
                          QString::fromUtf8(kTemplate129.item(id)->name));
    }
    layout_.addWindow(tree_, kTemplate129.item(TreePlaceholder)->anchors);
    layout_.addWindow(toolBar_, kTemplate129.item(ToolBarPlaceholder)->anchors);
    layout_.arrangeControls();
    layout_.applyMinimumTrackSize();
    layout_.showSizeGrip();
    return true;
}

void COptionsDial::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The tree keeps its divider inside its list, whose width is known only once shown.
    if (!columnSet_) {
        columnSet_ = true;
        tree_->setColumnPosition(kColumnPosition);
    }
}

void COptionsDial::showScheme(const QString& path) {
    if (QWidget* name = control(SchemeName)) {
        setTemplatePath(*name, QDir::toNativeSeparators(path));
    }
}

void COptionsDial::rebuildTree() {
    if (tree_ == nullptr) {
        return;
    }
    rebuilding_ = true;
    tree_->setUpdatesEnabled(false);
    clock_->saveItemState();
    clock_->forgetItem();
    tree_->deleteAllItems(false);
    clock_->createItem(*tree_, tree_->rootItem());
    if (COptionTreeItem* body = tree_->rootItem()->firstChild()) {
        body->setExpanded(true);
    }
    // Keeps the selected element's row in focus, so its description stays in view.
    if (selected_ != nullptr && selected_ != clock_ && selected_->item() != nullptr) {
        tree_->setFocusedItem(static_cast<COptionTreeItem*>(selected_->item()));
    }
    tree_->refreshItems();
    tree_->setUpdatesEnabled(true);
    tree_->redraw();
    rebuilding_ = false;
}

long COptionsDial::treeNotify(COptionTree& /*tree*/, int code, COptionTreeItem* item) {
    if (rebuilding_ || finished_) {
        return 0;
    }
    if (code == OptionTreeNotify::kItemChanged) {
        clock_->commitItem();
        if (item != nullptr) {
            saved_ = false;
        }
        emit schemeChanged();
    } else if (code == OptionTreeNotify::kSelectionChanged && item != nullptr) {
        selectElement(item);
    }
    return 0;
}

ClockObject* COptionsDial::findElement(const COptionTreeItem* item) const {
    if (item == nullptr) {
        return nullptr;
    }
    const OptionRow* row = item;
    // The body's row is the only top-level one.
    if (row == clock_->item() || item == tree_->rootItem()->firstChild()) {
        return clock_;
    }
    for (const auto& child : clock_->children()) {
        if (child->isKindOf(ClockObject::kTypeName) && child->item() == row) {
            return static_cast<ClockObject*>(child.get());
        }
    }
    return nullptr;
}

void COptionsDial::selectElement(COptionTreeItem* item) {
    ClockObject* found = findElement(item);
    setElementButtonsEnabled(found != nullptr);
    if (selected_ != nullptr) {
        selected_->setSelected(false);
    }
    selected_ = found;
    if (selected_ != nullptr) {
        selected_->setSelected(true);
    }
    clock_->saveItemState();
    // The clock shows the selected element's guide marks.
    emit schemeChanged();
}

void COptionsDial::setElementButtonsEnabled(bool enabled) {
    for (int id : kElementCommands) {
        if (QAction* action = toolBar_->action(id)) {
            action->setEnabled(enabled);
        }
    }
}

void COptionsDial::clearSelection() {
    selected_ = nullptr;
    setElementButtonsEnabled(false);
}

ClockObject* COptionsDial::selectedListElement() const {
    if (selected_ == nullptr || selected_ == clock_) {
        return nullptr;
    }
    for (const auto& child : clock_->children()) {
        if (child.get() == selected_) {
            return selected_;
        }
    }
    return nullptr;
}

void COptionsDial::runCommand(int command) {
    bool changed = true;
    switch (command) {
    case NewHand:
        clock_->append(std::make_unique<ClockHand>());
        break;
    case NewSlice:
        clock_->append(std::make_unique<ClockSlice>());
        break;
    case NewText:
        clock_->append(std::make_unique<ClockText>());
        break;
    case CopySelected:
        changed = copySelected();
        break;
    case DeleteSelected:
        changed = deleteSelected();
        break;
    case MoveDown:
        changed = moveSelected(true);
        break;
    case MoveUp:
        changed = moveSelected(false);
        break;
    default:
        return;
    }
    // Adding, removing and reordering elements are edits like any value: OK and Cancel ask
    // to save them, so that they are not lost unasked at the program's end.
    if (changed) {
        saved_ = false;
    }
    rebuildTree();
    emit schemeChanged();
}

bool COptionsDial::copySelected() {
    ClockObject* original = selectedListElement();
    if (original == nullptr) {
        return false;
    }
    original->setSelected(false);
    // The row keeps its mark until the rebuild, which would read it back.
    if (original->item() != nullptr) {
        original->item()->setMarked(false);
    }
    auto* copy = static_cast<ClockObject*>(clock_->insertChildAfter(original, original->clone()));
    copy->setSelected(true);
    selected_ = copy;
    return true;
}

bool COptionsDial::deleteSelected() {
    ClockObject* element = selectedListElement();
    if (element == nullptr) {
        return false;
    }
    clearSelection();
    // Destroyed here; its rows go with the rebuild that follows.
    clock_->removeChild(element);
    return true;
}

bool COptionsDial::moveSelected(bool down) {
    ClockObject* element = selectedListElement();
    if (element == nullptr) {
        return false;
    }
    // Elements swap places with their neighbouring element; properties stored between
    // elements (from a reconciled older scheme) do not count as neighbours.
    const auto& children = clock_->children();
    std::size_t at = 0;
    while (children[at].get() != element) {
        ++at;
    }
    auto isElement = [&](std::size_t i) { return children[i]->isKindOf(ClockObject::kTypeName); };
    if (down) {
        std::size_t next = at + 1;
        while (next < children.size() && !isElement(next)) {
            ++next;
        }
        if (next == children.size()) {
            return false;
        }
        for (; at < next; ++at) {
            clock_->moveChildDown(element);
        }
        return true;
    }
    std::size_t previous = at;
    while (previous > 0 && !isElement(previous - 1)) {
        --previous;
    }
    if (previous == 0) {
        return false;
    }
    for (--previous; at > previous; --at) {
        clock_->moveChildUp(element);
    }
    return true;
}

bool COptionsDial::confirmSaveChanges() {
    if (saved_) {
        return true;
    }
    const QMessageBox::StandardButton answer =
        ask(QMessageBox::Warning, QStringLiteral("Save changes?"),
            QStringLiteral("Do you want to save your changes into a scheme file?\n\nIf you won't "
                           "save the changes will be lost when you close the program."),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        saveAs();
        return true;
    }
    return answer == QMessageBox::No;
}

void COptionsDial::saveAs() {
    FileRequest request;
    request.save = true;
    request.folder = startFolder();
    request.fileName = QStringLiteral("test.") + kSuffix;
    if (const QString examples = examplesFolder(); !examples.isEmpty()) {
        request.places.append(examples);
    }
    for (;;) {
        QString path = askForFile(request);
        if (path.isEmpty()) {
            return;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QLatin1Char('.') + kSuffix;
        }
        std::string error;
        if (saveSchemeFile(*clock_, toPath(path.toStdU16String()), &error)) {
            saved_ = true;
            showScheme(path);
            return;
        }
        ask(QMessageBox::Warning, QStringLiteral("File open error"),
            QStringLiteral("Can't access this file, please select another or permit access."),
            QMessageBox::Ok);
        request.folder = QFileInfo(path).absolutePath();
        request.fileName = QFileInfo(path).fileName();
    }
}

void COptionsDial::load() {
    FileRequest request;
    request.folder = startFolder();
    if (const QString examples = examplesFolder(); !examples.isEmpty()) {
        request.places.append(examples);
    }
    const QString path = askForFile(request);
    if (path.isEmpty()) {
        return;
    }
    ReadError error;
    // The file is read whole before the clock takes it over, so a bad file changes nothing.
    if (!clock_->loadSchemeFile(toPath(path.toStdU16String()), settings_, &error)) {
        ask(QMessageBox::Warning, QStringLiteral("Load error"),
            QStringLiteral("This file could not be loaded as a scheme:\n%1\n\n%2 (at byte %3).")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.reason))
                .arg(error.offset),
            QMessageBox::Ok);
        return;
    }
    // The old elements, the selected one among them, are gone.
    clearSelection();
    saved_ = true;
    showScheme(path);
    rebuildTree();
    emit schemeChanged();
}

void COptionsDial::replaceClock(std::unique_ptr<Clock> content) {
    clearSelection();
    clock_->adopt(*content);
    rebuildTree();
    emit schemeChanged();
}

void COptionsDial::undo() {
    confirmSaveChanges();
    replaceClock(backup_->cloneClock());
    showScheme(openedScheme_);
}

void COptionsDial::restoreDefaults() {
    if (!confirmSaveChanges()) {
        return;
    }
    std::unique_ptr<Clock> defaults = readDefaultScheme();
    if (defaults == nullptr) {
        return;
    }
    replaceClock(std::move(defaults));
    showScheme({});
}

void COptionsDial::accept() {
    if (finished_) {
        return;
    }
    clock_->commitItem();
    emit schemeChanged();
    if (!confirmSaveChanges()) {
        return;
    }
    finish(QDialog::Accepted);
}

void COptionsDial::reject() {
    if (finished_) {
        return;
    }
    confirmSaveChanges();
    clearSelection();
    clock_->adopt(*backup_->cloneClock());
    finish(QDialog::Rejected);
}

void COptionsDial::finish(int result) {
    finished_ = true;
    // The guide marks belong to the editing; the clock on the desktop goes back to normal.
    if (selected_ != nullptr) {
        selected_->setSelected(false);
        selected_ = nullptr;
    }
    emit schemeChanged();
    done(result);
    deleteLater();
}

QString COptionsDial::startFolder() const {
    const QString last = QString::fromStdU16String(settings_.readText(settings::kSchemeLoaded));
    if (!last.isEmpty()) {
        const QFileInfo file(last);
        if (file.absoluteDir().exists()) {
            return file.absolutePath();
        }
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/velmora/schemes");
    QDir().mkpath(folder);
    return folder;
}

QString COptionsDial::examplesFolder() {
    QStringList candidates;
    candidates.append(QCoreApplication::applicationDirPath() +
                      QStringLiteral("/../share/velmora/schemes"));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (data != own) {
            candidates.append(data + QStringLiteral("/velmora/schemes"));
        }
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            return QDir(candidate).canonicalPath();
        }
    }
    return {};
}

QString COptionsDial::askForFile(const FileRequest& request) {
    return fileDialog_ ? fileDialog_(request) : runFileDialog(this, request);
}

QMessageBox::StandardButton COptionsDial::ask(QMessageBox::Icon icon, const QString& caption,
                                              const QString& text,
                                              QMessageBox::StandardButtons buttons) {
    return messageBox_ ? messageBox_(icon, caption, text, buttons)
                       : runMessageBox(this, icon, caption, text, buttons);
}
