// "Choose a zone": a search field over the machine's time zones and what it finds.
#include "app/editor/zone_picker.h"

#include "render/qt_text.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <numeric>

ZonePicker::ZonePicker(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("ZonePicker", "Choose a zone"));
    auto* layout = new QVBoxLayout(this);
    auto* label =
        new QLabel(QCoreApplication::translate("ZonePicker", "City, country or &zone:"), this);
    search_ = new QLineEdit(this);
    label->setBuddy(search_);
    results_ = new QListWidget(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The desktop's own texts for these buttons may have no accelerators.
    buttons->button(QDialogButtonBox::Ok)
        ->setText(QCoreApplication::translate("ZonePicker", "&OK"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("ZonePicker", "&Cancel"));
    layout->addWidget(label);
    layout->addWidget(search_);
    layout->addWidget(results_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(search_, &QLineEdit::textChanged, this, &ZonePicker::showFound);
    connect(results_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(results_, &QListWidget::currentRowChanged, this,
            [buttons](int row) { buttons->button(QDialogButtonBox::Ok)->setEnabled(row >= 0); });
    // Up and Down in the field move through what it found, so the hands stay on the keys.
    search_->installEventFilter(this);
    showFound({});
    resize(
        QSize(search_->fontMetrics().averageCharWidth() * 56, search_->sizeHint().height() * 14));
}

void ZonePicker::showFound(const QString& text) {
    std::vector<std::size_t> entries;
    if (text.trimmed().isEmpty()) {
        entries.resize(zones_.zones().size());
        std::iota(entries.begin(), entries.end(), std::size_t{0});
    } else {
        entries = zones_.find(text);
    }
    results_->clear();
    for (std::size_t entry : entries) {
        auto* item = new QListWidgetItem(toQString(zones_.zones()[entry].displayNameView()));
        item->setData(Qt::UserRole, static_cast<int>(entry));
        results_->addItem(item);
    }
    results_->setCurrentRow(results_->count() > 0 ? 0 : -1);
}

bool ZonePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(results_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<velmora::ZoneRecord> ZonePicker::chosen() const {
    const QListWidgetItem* item = results_->currentItem();
    if (item == nullptr) {
        return std::nullopt;
    }
    return zones_.zones()[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
}

std::optional<velmora::ZoneRecord> ZonePicker::run(QWidget* parent) {
    ZonePicker picker(parent);
    if (picker.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return picker.chosen();
}
