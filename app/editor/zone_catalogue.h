// The machine's time zones as the editor offers them: UTC first, then by display name, with
// the search that finds them by city, country, former name or id.
#pragma once

#include "time/zone_record.h"
#include "time/zone_search.h"

#include <QString>
#include <QStringList>
#include <vector>

class ZoneCatalogue {
public:
    // Reads the system's zone table and the names the search knows.
    ZoneCatalogue();

    const std::vector<velmora::ZoneRecord>& zones() const { return table_; }
    // The display names in table order.
    QStringList names() const;
    // The entries a query finds, best first; none for a blank query.
    std::vector<std::size_t> find(const QString& query) const;
    // The entry of a display name, -1 when none has it.
    int indexOf(std::u16string_view displayName) const;

private:
    std::vector<velmora::ZoneRecord> table_;
    velmora::ZoneSearch search_;
};
