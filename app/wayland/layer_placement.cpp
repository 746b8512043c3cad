// LayerPlacement: the clock's place on a layer-shell surface, kept in the settings.
#include "app/wayland/layer_placement.h"

#include "app/dialogs/window_aligner.h"
#include "model/settings_keys.h"

#include <algorithm>
#include <array>

LayerPlacement::LayerPlacement(SettingsStore& store, std::string_view name)
    : store_(store), name_(name) {}

QRect LayerPlacement::restore(const QRect& fallback, const QList<QRect>& outputs,
                              int cornerSize) const {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    // Far values are clamped first: the on-screen rule then brings them back.
    constexpr std::int32_t kFar = std::int32_t{1} << 30;
    const auto read = [&](PlacementPart part, int value) {
        return std::clamp(store_.readInt(windowLayoutKey(name_, part), value), -kFar, kFar);
    };
    QRect placement(read(PlacementPart::X, fallback.x()), read(PlacementPart::Y, fallback.y()),
                    read(PlacementPart::W, fallback.width()),
                    read(PlacementPart::H, fallback.height()));
    // An empty clock could never be seen or grabbed again.
    if (placement.width() <= 0 || placement.height() <= 0) {
        placement.setSize(fallback.size());
    }
    return usablePlacement(placement, outputs, cornerSize);
}

void LayerPlacement::save(const QRect& placement) {
    using settings::PlacementPart;
    using settings::windowLayoutKey;
    const std::array<SettingsStore::IntValue, 4> values{
        {{windowLayoutKey(name_, PlacementPart::X), placement.x()},
         {windowLayoutKey(name_, PlacementPart::Y), placement.y()},
         {windowLayoutKey(name_, PlacementPart::W), placement.width()},
         {windowLayoutKey(name_, PlacementPart::H), placement.height()}}};
    store_.writeInts(values);
}
