// The machine's time zones as the editor offers them, and their search.
#include "app/editor/zone_catalogue.h"

#include "render/qt_text.h"
#include "time/system_zone_table.h"

#include <algorithm>
#include <string>

ZoneCatalogue::ZoneCatalogue() {
    velmora::readSystemZoneTable(table_);
    // Ordinal order of the UTF-16 code units, as the lists show the zones.
    std::stable_sort(table_.begin(), table_.end(),
                     [](const velmora::ZoneRecord& a, const velmora::ZoneRecord& b) {
                         return a.displayNameView() < b.displayNameView();
                     });
    // UTC is the zone most often wanted beside the local one; it leads the list rather than
    // hiding among the zones of offset zero.
    const auto utc = std::find_if(table_.begin(), table_.end(), [](const velmora::ZoneRecord& z) {
        return z.standardNameView() == u"Etc/UTC" || z.standardNameView() == u"UTC";
    });
    if (utc != table_.end()) {
        std::rotate(table_.begin(), utc, utc + 1);
    }
    std::vector<std::string> ids;
    std::vector<std::u16string> displayNames;
    for (const velmora::ZoneRecord& zone : table_) {
        ids.push_back(velmora::utf16ToUtf8(zone.standardNameView()));
        displayNames.emplace_back(zone.displayNameView());
    }
    search_ = velmora::ZoneSearch(ids, displayNames,
                                  velmora::readZoneNameData(velmora::zoneinfoDirectory()));
}

QStringList ZoneCatalogue::names() const {
    QStringList names;
    names.reserve(static_cast<qsizetype>(table_.size()));
    for (const velmora::ZoneRecord& zone : table_) {
        names.append(toQString(zone.displayNameView()));
    }
    return names;
}

std::vector<std::size_t> ZoneCatalogue::find(const QString& query) const {
    return search_.find(query.toStdU16String());
}

int ZoneCatalogue::indexOf(std::u16string_view displayName) const {
    if (displayName.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < table_.size(); ++i) {
        if (table_[i].displayNameView() == displayName) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
