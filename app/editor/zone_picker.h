// "Choose a zone": a search field over the machine's time zones and the list of what it finds,
// for choosing one zone where it is needed (an element's zone row).
#pragma once

#include "app/editor/zone_catalogue.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;

class ZonePicker : public QDialog {
    Q_OBJECT

public:
    explicit ZonePicker(QWidget* parent = nullptr);

    QLineEdit* searchField() const { return search_; }
    QListWidget* results() const { return results_; }
    // The zone chosen: the list's current entry, none when it is empty.
    std::optional<velmora::ZoneRecord> chosen() const;

    // Runs a picker modally; the zone chosen, none when cancelled.
    static std::optional<velmora::ZoneRecord> run(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The zones the text finds, best first; every zone for a blank one.
    void showFound(const QString& text);

    ZoneCatalogue zones_;
    QLineEdit* search_ = nullptr;
    QListWidget* results_ = nullptr;
};
