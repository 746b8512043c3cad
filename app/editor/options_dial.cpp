// COptionsDial: the customize dialog, editing the running clock's scheme live.
#include "app/editor/options_dial.h"

#include "app/dialogs/recent_schemes.h"
#include "app/dialogs/scheme_file_dialog.h"
#include "app/editor/customize_template.h"
#include "app/editor/scheme_row_texts.h"
#include "app/editor/stand_out_color.h"
#include "app/editor/true_color_tool_bar.h"
#include "clock/clock.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "clock/element_edits.h"
#include "model/class_registry.h"
#include "model/file_property.h"
#include "model/font_family_list.h"
#include "model/font_family_property.h"
#include "model/percent_property.h"
#include "model/settings_store.h"
#include "model/string_property.h"
#include "model/utf.h"
#include "optiontree/option_tree_info.h"
#include "optiontree/option_tree_list.h"
#include "render/qt_text.h"
#include "resources/default_scheme.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int kElementCommands[] = {COptionsDial::CopySelected, COptionsDial::DeleteSelected,
                                    COptionsDial::MoveDown,     COptionsDial::MoveUp,
                                    COptionsDial::MoveToTop,    COptionsDial::MoveToBottom};

int liveDialogs = 0;

// The family the desktop draws its own texts in, as the installed list names it: a new text
// reads there, while the classic default may not be on the machine. The first installed
// family where the desktop's is not listed; empty with none.
std::u16string desktopFontFamily() {
    const std::vector<std::u16string>& installed = FontFamilyList::families();
    const QString resolved = QFontInfo(QApplication::font()).family();
    const auto found =
        std::find_if(installed.begin(), installed.end(), [&resolved](const std::u16string& family) {
            return resolved.compare(QString::fromStdU16String(family), Qt::CaseInsensitive) == 0;
        });
    if (found != installed.end()) {
        return *found;
    }
    return installed.empty() ? std::u16string() : installed.front();
}

// Copies of the scheme (the backup, the steps) keep the marks the elements had when copied.
void clearMarks(Clock& clock) {
    clock.setSelected(false);
    for (const auto& child : clock.children()) {
        if (child->isKindOf(ClockObject::kTypeName)) {
            static_cast<ClockObject*>(child.get())->setSelected(false);
        }
    }
}

} // namespace

COptionsDial::COptionsDial(Clock& clock, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), clock_(&clock), layout_(settings), settings_(settings),
      files_(*this, clock, settings), zones_(*this, clock, settings) {
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
    return customizeTemplate();
}

QWidget* COptionsDial::control(int id) const {
    if (id == TreeId) {
        return tree_;
    }
    const TemplateItem* item = customizeTemplate().item(id);
    return item != nullptr ? findChild<QWidget*>(QString::fromUtf8(item->name)) : nullptr;
}

bool COptionsDial::initDialog() {
    createTemplateControls(*this, customizeTemplate());
    auto button = [this](int id) { return static_cast<QPushButton*>(control(id)); };
    connect(button(SaveAsButton), &QPushButton::clicked, this, &COptionsDial::saveAs);
    // One click shows the examples and the schemes used last; a file dialog finds others.
    auto* loads = new QMenu(button(LoadButton));
    loads->setToolTipsVisible(true);
    button(LoadButton)->setMenu(loads);
    connect(loads, &QMenu::aboutToShow, this, &COptionsDial::fillLoadMenu);
    connect(button(RevertButton), &QPushButton::clicked, this, &COptionsDial::revert);
    connect(button(RestoreDefaultsButton), &QPushButton::clicked, this,
            &COptionsDial::restoreDefaults);
    connect(button(OkButton), &QPushButton::clicked, this, &COptionsDial::accept);
    connect(button(CancelButton), &QPushButton::clicked, this, &COptionsDial::reject);
    connect(button(StepBackButton), &QPushButton::clicked, this, &COptionsDial::stepBack);
    connect(button(StepForwardButton), &QPushButton::clicked, this, &COptionsDial::stepForward);
    button(StepBackButton)
        ->setToolTip(QCoreApplication::translate("COptionsDial", "Undo the last change (Ctrl+Z)"));
    // The arrows the buttons show are no names for a screen reader.
    button(StepBackButton)->setAccessibleName(QCoreApplication::translate("COptionsDial", "Undo"));
    button(StepForwardButton)
        ->setAccessibleName(QCoreApplication::translate("COptionsDial", "Redo"));
    button(StepForwardButton)
        ->setToolTip(
            QCoreApplication::translate("COptionsDial", "Redo the change undone (Ctrl+Shift+Z)"));
    // In an open editor the editor's own undo takes these keys first.
    auto* back = new QShortcut(QKeySequence::Undo, this);
    connect(back, &QShortcut::activated, this, &COptionsDial::stepBack);
    // Ctrl+Shift+Z everywhere, beside the platform's own keys (Ctrl+Y on some); a key bound
    // twice would fire neither binding.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z); !redoKeys.contains(shiftZ)) {
        redoKeys.append(shiftZ);
    }
    auto* forward = new QShortcut(this);
    forward->setKeys(redoKeys);
    connect(forward, &QShortcut::activated, this, &COptionsDial::stepForward);
    openedScheme_ = pathToQString(clock_->schemePath());
    openedSetting_ = settings_.readText(settings::kSchemeLoaded);
    showScheme(openedScheme_);

    QWidget* toolBarPlace = control(ToolBarPlaceholder);
    toolBar_ = new CTrueColorToolBar(this);
    toolBar_->setObjectName(QStringLiteral("elementToolBar"));
    toolBar_->setButtons(customizeToolBar());
    if (!toolBar_->loadButtonImages(kButtonWidth, QStringLiteral(":/toolbar/element_icons.png"))) {
        return false;
    }
    toolBar_->setGeometry(toolBarPlace->geometry());
    connect(toolBar_, &CTrueColorToolBar::commandTriggered, this, &COptionsDial::runCommand);

    QWidget* treePlace = control(TreePlaceholder);
    tree_ = new COptionTree(kTreeOptions, this, TreeId);
    tree_->setObjectName(QStringLiteral("optionTree"));
    tree_->setGeometry(treePlace->geometry());
    tree_->setNotify(true, this);
    // Delete in the tree deletes the selected element; an open editor keeps the key.
    auto* remove = new QShortcut(QKeySequence::Delete, tree_->list(), nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, [this] { runCommand(DeleteSelected); });

    orderTabStops();

    rebuildTree();
    if (COptionTreeItem* body = tree_->rootItem()->firstChild()) {
        body->setMarked(true);
        selectElement(body);
        tree_->setFocusedItem(body);
    }
    // The dialog opens with the keys in the tree, not on OK.
    tree_->list()->setFocus(Qt::OtherFocusReason);
    backup_ = clock_->cloneClock();
    history_.start(*clock_);
    button(StepBackButton)->setEnabled(false);
    button(StepForwardButton)->setEnabled(false);

    // The template's size is the design and the minimum size; the stored placement follows.
    layout_.initForTemplate(this, settings::kOptionsWindow, false);
    for (int id : {CancelButton, OkButton, RevertButton, RestoreDefaultsButton, StepBackButton,
                   StepForwardButton, LoadButton, SaveAsButton, SchemeName}) {
        layout_.addWindow(control(id), customizeTemplate().item(id)->anchors,
                          QString::fromUtf8(customizeTemplate().item(id)->name));
    }
    layout_.addWindow(tree_, customizeTemplate().item(TreePlaceholder)->anchors);
    layout_.addWindow(toolBar_, customizeTemplate().item(ToolBarPlaceholder)->anchors);
    layout_.arrangeControls();
    // The dialog may shrink below its design to fit a small screen: the tree and its
    // description scroll, the toolbar drops its words.
    tree_->setMinimumSize(kTreeMinimum);
    layout_.setMinimumLayoutSize(layout_.compactSize(DialogUnits(font()).x(kMinimumGapUnits)));
    layout_.applyMinimumTrackSize();
    layout_.showSizeGrip();
    return true;
}

void COptionsDial::orderTabStops() {
    // Where the work is first: the rows and their description, the element buttons, then the
    // dialog's buttons from the top row to the bottom one, ending on OK and Cancel.
    std::vector<QWidget*> order{static_cast<QWidget*>(tree_->list()), tree_->info()};
    for (QAction* action : toolBar_->actions()) {
        if (QWidget* button = toolBar_->widgetForAction(action);
            button != nullptr && !action->isSeparator()) {
            order.push_back(button);
        }
    }
    for (int id : {SaveAsButton, LoadButton, RevertButton, RestoreDefaultsButton, StepBackButton,
                   StepForwardButton, OkButton, CancelButton}) {
        order.push_back(control(id));
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
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
    shownScheme_ = path;
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
    clock_->takeChoicesFromTemplate(ClassRegistry::instance());
    clock_->createItem(*tree_, tree_->rootItem());
    if (COptionTreeItem* body = tree_->rootItem()->firstChild()) {
        body->setExpanded(true);
    }
    // Keeps the selected element's row in focus, so its description stays in view.
    if (selected_ != nullptr && selected_ != clock_ && selected_->item() != nullptr) {
        tree_->setFocusedItem(static_cast<COptionTreeItem*>(selected_->item()));
    }
    // Elements are reordered by dragging their rows.
    for (ClockObject* element : ElementEdits::elements(*clock_)) {
        if (element->item() != nullptr) {
            static_cast<COptionTreeItem*>(element->item())->setMovable(true);
        }
    }
    SchemeRowTexts::refreshElementLabels(*clock_);
    SchemeRowTexts::describeCarriedFiles(*clock_);
    SchemeRowTexts::nameZoneRows(*clock_);
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
        if (files_.refuseUnusableBackground(item)) {
            return 0;
        }
        if (zones_.take(item) == ZoneRowChoice::Outcome::Dropped) {
            tree_->redraw();
            return 0;
        }
        clock_->commitItem();
        if (item != nullptr) {
            recordStep();
            SchemeRowTexts::refreshElementLabels(*clock_);
            if (item->kindCode() == COptionTreeItem::FileCode) {
                SchemeRowTexts::describeCarriedFiles(*clock_);
            }
            tree_->redraw();
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
    if (selected_ != nullptr) {
        selected_->setSelected(false);
    }
    selected_ = found;
    if (selected_ != nullptr) {
        selected_->setSelected(true);
    }
    updateElementButtons();
    clock_->saveItemState();
    // The clock shows the selected element's guide marks.
    emit schemeChanged();
}

bool COptionsDial::canRun(int command) const {
    ClockObject* element = selectedListElement();
    const std::vector<ClockObject*> order = ElementEdits::elements(*clock_);
    switch (command) {
    case NewHand:
    case NewSlice:
    case NewText:
        return true;
    case CopySelected:
    case DeleteSelected:
        return element != nullptr;
    case MoveUp:
    case MoveToTop:
        return element != nullptr && element != order.front();
    case MoveDown:
    case MoveToBottom:
        return element != nullptr && element != order.back();
    default:
        return false;
    }
}

void COptionsDial::updateElementButtons() {
    for (int id : kElementCommands) {
        if (QAction* action = toolBar_->action(id)) {
            action->setEnabled(canRun(id));
        }
    }
}

std::unique_ptr<QMenu> COptionsDial::rowMenu() {
    struct Entry {
        int command;
        const char* text;
        const char* tip;
    };
    static constexpr Entry kEntries[] = {
        {MoveToTop, QT_TRANSLATE_NOOP("COptionsDial", "Move to top"),
         QT_TRANSLATE_NOOP("COptionsDial", "Drawn first, under every other element")},
        {MoveUp, QT_TRANSLATE_NOOP("COptionsDial", "Move up"), nullptr},
        {MoveDown, QT_TRANSLATE_NOOP("COptionsDial", "Move down"), nullptr},
        {MoveToBottom, QT_TRANSLATE_NOOP("COptionsDial", "Move to bottom"),
         QT_TRANSLATE_NOOP("COptionsDial", "Drawn last, over every other element")},
        {0, nullptr, nullptr},
        {CopySelected, QT_TRANSLATE_NOOP("COptionsDial", "Copy"), nullptr},
        {DeleteSelected, QT_TRANSLATE_NOOP("COptionsDial", "Delete"), nullptr},
    };
    auto menu = std::make_unique<QMenu>(this);
    menu->setToolTipsVisible(true);
    for (const Entry& entry : kEntries) {
        if (entry.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QCoreApplication::translate("COptionsDial", entry.text));
        action->setData(entry.command);
        action->setEnabled(canRun(entry.command));
        if (entry.tip != nullptr) {
            action->setToolTip(QCoreApplication::translate("COptionsDial", entry.tip));
        }
    }
    return menu;
}

void COptionsDial::rowMenuRequested(COptionTree& /*tree*/, COptionTreeItem* row,
                                    const QPoint& globalPosition) {
    ClockObject* element = findElement(row);
    if (finished_ || element == nullptr || element == clock_) {
        return;
    }
    // As a click on the row would.
    selectElementRow(element, false);
    const std::unique_ptr<QMenu> menu = rowMenu();
    if (QAction* chosen = menu->exec(globalPosition)) {
        runCommand(chosen->data().toInt());
    }
}

void COptionsDial::rowDropped(COptionTree& /*tree*/, COptionTreeItem* row,
                              COptionTreeItem* before) {
    ClockObject* element = findElement(row);
    ClockObject* target = findElement(before);
    if (finished_ || element == nullptr || element == clock_ || target == clock_ ||
        (before != nullptr && target == nullptr) ||
        !ElementEdits::moveBefore(*clock_, *element, target)) {
        return;
    }
    rebuildTree();
    selectElementRow(element, false);
    recordStep();
    emit schemeChanged();
}

void COptionsDial::clearSelection() {
    selected_ = nullptr;
    updateElementButtons();
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
    if (!canRun(command)) {
        return;
    }
    bool changed = true;
    ClockObject* added = nullptr;
    ClockObject* following = nullptr;
    ClockObject* element = selectedListElement();
    switch (command) {
    case NewHand:
        added = addElement(std::make_unique<ClockHand>());
        break;
    case NewSlice:
        added = addElement(std::make_unique<ClockSlice>());
        break;
    case NewText:
        added = addElement(std::make_unique<ClockText>());
        break;
    case CopySelected:
        changed = copySelected();
        break;
    case DeleteSelected:
        following = deleteSelected();
        break;
    case MoveDown:
        changed = moveSelected(true);
        break;
    case MoveUp:
        changed = moveSelected(false);
        break;
    case MoveToTop:
        changed =
            ElementEdits::moveBefore(*clock_, *element, ElementEdits::elements(*clock_).front());
        break;
    case MoveToBottom:
        changed = ElementEdits::moveBefore(*clock_, *element, nullptr);
        break;
    default:
        return;
    }
    // Adding, removing and reordering elements are edits like any value: OK and Cancel ask
    // to save them, so that they are not lost unasked at the program's end.
    rebuildTree();
    if (added != nullptr) {
        selectOnClock(added);
    } else if (following != nullptr) {
        selectElementRow(following, false);
    }
    updateElementButtons();
    if (changed) {
        recordStep();
    }
    // A new text is there to be written: its format opens for typing.
    if (command == NewText && added->item() != nullptr) {
        tree_->setFocusedItem(static_cast<COptionTreeItem*>(added->item())->firstChild());
        tree_->list()->activateFocused(false);
    }
    emit schemeChanged();
}

ClockObject* COptionsDial::addElement(std::unique_ptr<ClockObject> element) {
    // A new element shows at once, in a colour that stands out from the background.
    auto* background = clock_->findChildAs<FileProperty>(u"BackgroundImage");
    const std::uint32_t argb = standOutColor(
        background != nullptr ? background->bytes() : std::span<const std::uint8_t>());
    if (auto* family = element->findChildAs<FontFamilyProperty>(u"FontFamily")) {
        if (const std::u16string desktop = desktopFontFamily(); !desktop.empty()) {
            family->selectFamily(desktop);
        }
    }
    return ElementEdits::add(*clock_, std::move(element), argb);
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

ClockObject* COptionsDial::deleteSelected() {
    ClockObject* element = selectedListElement();
    if (element == nullptr) {
        return nullptr;
    }
    const std::vector<ClockObject*> order = ElementEdits::elements(*clock_);
    const auto at = std::find(order.begin(), order.end(), element);
    ClockObject* following = clock_;
    if (at + 1 != order.end()) {
        following = *(at + 1);
    } else if (at != order.begin()) {
        following = *(at - 1);
    }
    clearSelection();
    // Destroyed here; its rows go with the rebuild that follows.
    clock_->removeChild(element);
    return following;
}

bool COptionsDial::moveSelected(bool down) {
    ClockObject* element = selectedListElement();
    return element != nullptr && ElementEdits::move(*clock_, *element, down);
}

QString COptionsDial::schemeName() const {
    return QFileInfo(shownScheme_).fileName();
}

COptionsDial::Leaving COptionsDial::askBeforeLeaving() {
    if (history_.isSaved()) {
        return Leaving::Kept;
    }
    switch (files_.askToDiscardChanges(schemeName())) {
    case QMessageBox::Save:
        // Leaving after "Save As..." is safe only when the scheme was really written.
        return saveAs() ? Leaving::Kept : Leaving::Stay;
    case QMessageBox::Discard:
        return Leaving::Discarded;
    default:
        return Leaving::Stay;
    }
}

bool COptionsDial::saveAs() {
    const QString path = files_.saveAs();
    if (path.isEmpty()) {
        return false;
    }
    history_.markSaved(*clock_);
    showScheme(path);
    cancelTo_ = clock_->cloneClock();
    cancelSetting_ = settings_.readText(settings::kSchemeLoaded);
    cancelScheme_ = path;
    return true;
}

QMenu* COptionsDial::loadMenu() const {
    return static_cast<QPushButton*>(control(LoadButton))->menu();
}

void COptionsDial::fillLoadMenu() {
    QMenu* menu = loadMenu();
    menu->clear();
    const auto addScheme = [this, menu](const QString& path) {
        QAction* action = menu->addAction(QFileInfo(path).completeBaseName());
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { loadFile(path); });
    };
    const QStringList shown = SchemeFileDialog::exampleSchemes();
    if (!shown.isEmpty()) {
        menu->addSection(QCoreApplication::translate("COptionsDial", "Examples"));
        for (const QString& path : shown) {
            addScheme(path);
        }
    }
    const QStringList recent = RecentSchemes::read(settings_);
    if (!recent.isEmpty()) {
        menu->addSection(QCoreApplication::translate("COptionsDial", "Recently used"));
        for (const QString& path : recent) {
            addScheme(path);
        }
    }
    menu->addSeparator();
    connect(menu->addAction(QCoreApplication::translate("COptionsDial", "Other scheme file...")),
            &QAction::triggered, this, &COptionsDial::load);
}

// Neither asks anything: the scheme a load replaces is a step back with Ctrl+Z.
void COptionsDial::load() {
    const QString path = files_.load();
    if (!path.isEmpty()) {
        showLoaded(path);
    }
}

bool COptionsDial::loadFile(const QString& path) {
    if (finished_ || !files_.loadFile(path)) {
        return false;
    }
    showLoaded(path);
    return true;
}

void COptionsDial::showLoaded(const QString& path) {
    // The old elements, the selected one among them, are gone.
    clearSelection();
    showScheme(path);
    rebuildTree();
    history_.markSaved(*clock_);
    recordStep();
    emit schemeChanged();
}

void COptionsDial::replaceClock(std::unique_ptr<Clock> content) {
    clearSelection();
    clock_->adopt(*content);
    clearMarks(*clock_);
    rebuildTree();
    emit schemeChanged();
}

void COptionsDial::revert() {
    if (!files_.confirmReplacing(
            QCoreApplication::translate("COptionsDial", "Revert"),
            QCoreApplication::translate("COptionsDial", "Revert to the scheme as it was when this "
                                                        "dialog opened? Your edits can be undone."),
            QCoreApplication::translate("COptionsDial", "Revert"))) {
        return;
    }
    replaceClock(backup_->cloneClock());
    restoreScheme(openedSetting_, openedScheme_);
    recordStep();
}

void COptionsDial::restoreScheme(const std::u16string& setting, const QString& shown) {
    // The clock shows that scheme again, so it starts with that one too.
    if (settings_.readText(settings::kSchemeLoaded) != setting) {
        clock_->recordSchemePath(toPath(setting), settings_);
    }
    showScheme(shown);
}

void COptionsDial::restoreDefaults() {
    if (!files_.confirmReplacing(
            QCoreApplication::translate("COptionsDial", "Restore Defaults"),
            QCoreApplication::translate("COptionsDial",
                                        "Restore the built-in scheme? Your edits can be undone."),
            QCoreApplication::translate("COptionsDial", "Restore"))) {
        return;
    }
    std::unique_ptr<Clock> defaults = readDefaultScheme();
    if (defaults == nullptr) {
        return;
    }
    const bool wasSaved = history_.isSaved();
    replaceClock(std::move(defaults));
    showScheme({});
    recordStep();
    // The built-in scheme is no edit of the user's: closing afterwards asks no more than
    // it would have before.
    if (wasSaved) {
        history_.markCurrentSaved();
    }
}

void COptionsDial::recordStep() {
    history_.record(*clock_);
    enableStepButtons();
}

void COptionsDial::enableStepButtons() {
    control(StepBackButton)->setEnabled(history_.stepsBack() != 0);
    control(StepForwardButton)->setEnabled(history_.stepsForward() != 0);
}

void COptionsDial::stepBack() {
    if (!finished_) {
        showStep(history_.back());
    }
}

void COptionsDial::stepForward() {
    if (!finished_) {
        showStep(history_.forward());
    }
}

void COptionsDial::showStep(const Clock* step) {
    if (step == nullptr) {
        return;
    }
    const int index = selectedIndex();
    replaceClock(step->cloneClock());
    selectIndex(index);
    enableStepButtons();
}

int COptionsDial::selectedIndex() const {
    if (selected_ == clock_) {
        return 0;
    }
    int index = 1;
    for (const auto& child : clock_->children()) {
        if (!child->isKindOf(ClockObject::kTypeName)) {
            continue;
        }
        if (child.get() == selected_) {
            return index;
        }
        ++index;
    }
    return -1;
}

void COptionsDial::selectIndex(int index) {
    if (index == 0) {
        selectOnClock(clock_);
        return;
    }
    int at = 1;
    for (const auto& child : clock_->children()) {
        if (!child->isKindOf(ClockObject::kTypeName)) {
            continue;
        }
        if (at++ == index) {
            selectOnClock(static_cast<ClockObject*>(child.get()));
            return;
        }
    }
}

void COptionsDial::selectOnClock(ClockObject* element) {
    selectElementRow(element, true);
}

void COptionsDial::selectElementRow(ClockObject* element, bool open) {
    if (element == nullptr || tree_ == nullptr || element->item() == nullptr) {
        return;
    }
    auto* row = static_cast<COptionTreeItem*>(element->item());
    if (!tree_->containsItem(row)) {
        return;
    }
    tree_->selectItems(nullptr, false);
    row->setMarked(true);
    tree_->ensureVisible(row);
    // Open, with as many of its rows in view as fit below it: they are what comes next.
    if (open && element != clock_ && row->hasChildren()) {
        row->setExpanded(true);
        COptionTreeItem* last = row->firstChild();
        while (last->nextSibling() != nullptr) {
            last = last->nextSibling();
        }
        tree_->ensureVisible(last);
    }
    tree_->setFocusedItem(row);
    // The keys act on that row when the user turns to the dialog.
    tree_->list()->setFocus(Qt::OtherFocusReason);
    selectElement(row);
}

void COptionsDial::moveElement(ClockObject* element, int dx, int dy) {
    if (element == nullptr || finished_) {
        return;
    }
    moving_ = true;
    for (const auto& [name, value] : {std::pair{u"dX", dx}, std::pair{u"dY", dy}}) {
        auto* offset = element->findChildAs<PercentProperty>(name);
        if (offset == nullptr) {
            continue;
        }
        offset->setValue(std::clamp(value, -100, 100));
        if (offset->row() != nullptr) {
            offset->row()->setNumber(offset->value());
        }
    }
    tree_->redraw();
    emit schemeChanged();
}

void COptionsDial::finishMove() {
    if (!moving_) {
        return;
    }
    moving_ = false;
    recordStep();
}

void COptionsDial::accept() {
    closeKeeping();
}

bool COptionsDial::closeKeeping() {
    if (finished_) {
        return true;
    }
    clock_->commitItem();
    emit schemeChanged();
    switch (askBeforeLeaving()) {
    case Leaving::Stay:
        return false;
    case Leaving::Discarded:
        discardChanges();
        finish(QDialog::Rejected);
        return true;
    case Leaving::Kept:
        finish(QDialog::Accepted);
        return true;
    }
    return false;
}

void COptionsDial::reject() {
    if (finished_ || askBeforeLeaving() == Leaving::Stay) {
        return;
    }
    discardChanges();
    finish(QDialog::Rejected);
}

void COptionsDial::discardChanges() {
    clearSelection();
    if (cancelTo_ != nullptr) {
        clock_->adopt(*cancelTo_->cloneClock());
        restoreScheme(cancelSetting_, cancelScheme_);
    } else {
        clock_->adopt(*backup_->cloneClock());
        restoreScheme(openedSetting_, openedScheme_);
    }
}

void COptionsDial::finish(int result) {
    finished_ = true;
    // The guide marks belong to the editing, whichever copy of the scheme the clock shows now:
    // the clock on the desktop goes back to normal.
    selected_ = nullptr;
    clearMarks(*clock_);
    emit schemeChanged();
    done(result);
    deleteLater();
}
