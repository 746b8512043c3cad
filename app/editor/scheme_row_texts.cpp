// The texts of the customize dialog's rows that depend on the scheme and the machine.
#include "app/editor/scheme_row_texts.h"

#include "app/editor/background_check.h"
#include "clock/clock.h"
#include "clock/element_labels.h"
#include "model/file_property.h"
#include "model/time_zone_property.h"
#include "optiontree/option_tree_item.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_file.h"
#include "optiontree/string_table_translation.h"
#include "render/byte_view.h"
#include "render/qt_text.h"
#include "time/zone_slots.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

void SchemeRowTexts::refreshElementLabels(Clock& clock) {
    for (const ElementLabel& label : elementLabels(clock)) {
        auto* row = static_cast<COptionTreeItem*>(label.element->item());
        if (row == nullptr) {
            continue;
        }
        row->setLabelText(translatedRowLabel(label.text));
        row->setSwatch(QColor::fromRgba(label.argb));
    }
}

void SchemeRowTexts::nameZoneRows(Clock& clock) {
    for (const auto& child : clock.children()) {
        if (!child->isKindOf(ClockObject::kTypeName)) {
            continue;
        }
        auto* zone =
            static_cast<PropertyMap*>(child.get())->findChildAs<TimeZoneProperty>(u"TimeZone");
        if (zone == nullptr || zone->row() == nullptr) {
            continue;
        }
        auto* row = static_cast<COptionTreeItemComboBox*>(zone->row());
        const auto& choices = zone->choices();
        for (std::size_t i = 0; i < choices.size(); ++i) {
            const velmora::ZoneRecord record = velmora::zoneSlot(choices[i].first);
            std::u16string_view name = record.standardNameView();
            // An empty slot converts to UTC.
            const QString zoneName = name.empty() ? QStringLiteral("UTC") : toQString(name);
            row->setEntryText(static_cast<int>(i), translatedTableText(choices[i].second) +
                                                       QStringLiteral(" - ") + zoneName);
        }
        if (row->entryCount() == static_cast<int>(choices.size())) {
            row->addEntry(
                QCoreApplication::translate("COptionsDial", "Choose a zone...").toStdU16String(),
                kChooseZoneEntry);
        }
    }
}

void SchemeRowTexts::describeCarriedFiles(Clock& clock) {
    for (const auto& child : clock.children()) {
        auto* file = asKind<FileProperty>(child.get());
        if (file == nullptr || file->row() == nullptr) {
            continue;
        }
        auto* row = static_cast<COptionTreeItemFile*>(file->row());
        row->setPreview(backgroundPreview);
        const std::span<const std::uint8_t> bytes = file->bytes();
        if (bytes.empty()) {
            continue;
        }
        QByteArray data = byteView(bytes);
        QBuffer buffer(&data);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        const QString text =
            size.isValid() ? QCoreApplication::translate("COptionsDial", "carried image, %1 x %2")
                                 .arg(size.width())
                                 .arg(size.height())
                           : QCoreApplication::translate("COptionsDial", "carried file, %1 bytes")
                                 .arg(bytes.size());
        row->setEmptyText(text);
    }
}
