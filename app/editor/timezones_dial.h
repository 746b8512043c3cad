// CTimezonesDial: the time zone settings dialog, choosing the zones of the five zone slots.
#pragma once

#include "app/dialogs/window_aligner.h"
#include "app/editor/dialog_template.h"
#include "app/editor/zone_catalogue.h"

#include <QDialog>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QStringListModel;
class SettingsStore;

class CTimezonesDial : public QDialog {
    Q_OBJECT

public:
    enum ControlId : int {
        FixedZoneBox = 1017,
        UseFixedZoneCheck = 1018,
        MachineZoneField = 1019,
        UserZone1Box = 1020,
        UserZone2Box = 1021,
        UserZone3Box = 1022,
        UserZone4Box = 1023,
        OkButton = 1,
        CancelButton = 2,
    };
    // Box k serves zone slot k.
    static constexpr std::array<int, 5> kZoneBoxIds = {FixedZoneBox, UserZone1Box, UserZone2Box,
                                                       UserZone3Box, UserZone4Box};

    // Reads the machine's zone table and shows the zones the slots hold now.
    explicit CTimezonesDial(SettingsStore& settings, QWidget* parent = nullptr);
    ~CTimezonesDial() override;

    static const DialogTemplate& dialogTemplate();
    QWidget* control(int id) const;
    QComboBox* zoneBox(int slot) const;
    QCheckBox* useFixedZoneCheck() const;
    QLineEdit* machineZoneField() const;

    // The dialog's copy of the table: UTC first, then the zones sorted by display name; box rows
    // are its indices.
    const std::vector<velmora::ZoneRecord>& zoneTable() const { return zones_.zones(); }
    // The entry box k shows, or null when it shows none.
    const velmora::ZoneRecord* selectedZone(int slot) const;

    // Stores the choices and puts them into the zone slots.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void initDialog();
    void setUpZoneBox(QComboBox& box, int slot);
    // Ties the labels to their boxes and names the boxes after them.
    void nameControls();
    // Text typed into a box picks the best zone the search finds for it; text that finds none
    // gives way to the zone the box showed before.
    void takeTypedZone(QComboBox& box);
    // The display names of the zones a query finds, best first.
    QStringList searchNames(const QString& query) const;

    CWindowAligner layout_;
    SettingsStore& settings_;
    ZoneCatalogue zones_;
    // The display names in table order, shared by the five boxes and their completers.
    QStringListModel* names_ = nullptr;
};
