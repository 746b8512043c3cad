// COptionTreeItemComboBox: the combo box row of the option tree.
#include "optiontree/option_tree_item_combo_box.h"

#include "optiontree/string_table_translation.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

COptionTreeItemComboBox::COptionTreeItemComboBox() = default;

COptionTreeItemComboBox::~COptionTreeItemComboBox() = default;

bool COptionTreeItemComboBox::createEditor(std::uint32_t) {
    if (editorParent() == nullptr || editorWanted_) {
        return false;
    }
    editorWanted_ = true;
    return true;
}

QComboBox* COptionTreeItemComboBox::ensureComboBox() {
    QWidget* parent = editorParent();
    if (combo_ != nullptr || !editorWanted_ || parent == nullptr) {
        return combo_.get();
    }
    combo_ = std::make_unique<QComboBox>(parent);
    combo_->hide();
    combo_->setEditable(false);
    combo_->setFont(normalFont());
    combo_->setGeometry(valueRect());
    const QSignalBlocker blocker(combo_.get());
    for (const auto& [text, data] : entries_) {
        combo_->addItem(text, data);
    }
    combo_->setCurrentIndex(selected_);
    watchEditor(combo_.get());
    // A choice applies when it is made. After the combo box has finished with it: the receiver
    // may rebuild the tree, and this row and its combo box with it.
    QComboBox* combo = combo_.get();
    QObject::connect(combo, &QComboBox::activated, combo, [this, combo] {
        QMetaObject::invokeMethod(
            combo,
            [this] {
                if (isActivated()) {
                    commit();
                }
            },
            Qt::QueuedConnection);
    });
    return combo_.get();
}

// The combo box stands for the row's own entries, so making it leaves the row logically
// unchanged.
QComboBox* COptionTreeItemComboBox::comboBox() const {
    return const_cast<COptionTreeItemComboBox*>(this)->ensureComboBox();
}

void COptionTreeItemComboBox::addEntry(const std::u16string& text, std::int32_t data) {
    const QString entry = translatedTableText(text);
    entries_.emplace_back(entry, data);
    if (combo_ != nullptr) {
        const QSignalBlocker blocker(combo_.get());
        // Adding to an empty combo box selects the entry; a drop-down list adds without choosing.
        const int current = combo_->currentIndex();
        combo_->addItem(entry, data);
        combo_->setCurrentIndex(current);
    }
}

void COptionTreeItemComboBox::selectByPrefix(const std::u16string& text) {
    // The model names its choice in English, as the entries were given.
    const QString prefix = translatedTableText(text);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].first.startsWith(prefix, Qt::CaseInsensitive)) {
            select(static_cast<int>(i));
            return;
        }
    }
}

void COptionTreeItemComboBox::selectData(std::int32_t data) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [data](const auto& entry) { return entry.second == data; });
    select(found != entries_.end() ? static_cast<int>(found - entries_.begin()) : -1);
}

void COptionTreeItemComboBox::select(int index) {
    selected_ = index;
    if (combo_ != nullptr) {
        const QSignalBlocker blocker(combo_.get());
        combo_->setCurrentIndex(index);
    }
}

void COptionTreeItemComboBox::setEntryText(int index, const QString& text) {
    if (index < 0 || index >= entryCount()) {
        return;
    }
    entries_[static_cast<std::size_t>(index)].first = text;
    if (combo_ != nullptr) {
        combo_->setItemText(index, text);
    }
}

int COptionTreeItemComboBox::entryCount() const {
    return static_cast<int>(entries_.size());
}

int COptionTreeItemComboBox::selectedIndex() const {
    return combo_ != nullptr ? combo_->currentIndex() : selected_;
}

std::int32_t COptionTreeItemComboBox::selectedData() const {
    const int index = selectedIndex();
    if (index < 0 || index >= entryCount()) {
        return -1;
    }
    return entries_[static_cast<std::size_t>(index)].second;
}

std::u16string COptionTreeItemComboBox::selectedText() const {
    const int index = selectedIndex();
    if (index < 0 || index >= entryCount()) {
        return {};
    }
    return entries_[static_cast<std::size_t>(index)].first.toStdU16String();
}

QWidget* COptionTreeItemComboBox::editorWidget() const {
    return comboBox();
}

void COptionTreeItemComboBox::drawValue(QPainter& painter, const QRect& valueRect) {
    if (editorHasFocus()) {
        return;
    }
    drawValueText(painter, valueRect, valueText());
}

void COptionTreeItemComboBox::showEditor() {
    if (ensureComboBox() == nullptr) {
        return;
    }
    // The list drops down by kDropHeight pixels: as many whole entries as fit there.
    const int entryHeight =
        combo_->count() > 0 ? combo_->view()->sizeHintForRow(0) : combo_->fontMetrics().height();
    combo_->setMaxVisibleItems(std::max(1, kDropHeight / std::max(1, entryHeight)));
    combo_->setGeometry(valueRect());
    combo_->show();
    combo_->raise();
    combo_->setFocus(Qt::OtherFocusReason);
}

void COptionTreeItemComboBox::showChoices(std::optional<QPoint> /*globalPosition*/) {
    if (combo_ != nullptr && combo_->isVisible()) {
        combo_->showPopup();
    }
}

void COptionTreeItemComboBox::destroyEditor() {
    editorWanted_ = false;
    if (combo_ != nullptr) {
        selected_ = combo_->currentIndex();
        combo_.reset();
    }
}

QWidget* COptionTreeItemComboBox::existingEditor() const {
    return combo_.get();
}

void COptionTreeItemComboBox::rememberEditorValue() {
    selectedBeforeEdit_ = selectedIndex();
}

void COptionTreeItemComboBox::restoreEditorValue() {
    select(selectedBeforeEdit_);
}
