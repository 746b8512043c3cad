// LayerClock's way into the Wayland module (velmora_wayland), loaded on a Wayland session only.
#include "app/desktop/module_loader.h"
#include "app/window/layer_clock.h"

namespace {

const LayerShellModule* module(std::string& whyNot) {
    static ModuleLoader loader(QLatin1String(LayerClock::kModuleName),
                               ModuleLoader::installedFolders());
    using Entry = const LayerShellModule* (*)();
    const auto entry = reinterpret_cast<Entry>(loader.resolve(LayerClock::kEntryName));
    if (entry == nullptr) {
        whyNot = "the program's Wayland module cannot be loaded: " + loader.why().toStdString();
        return nullptr;
    }
    return entry();
}

} // namespace

std::unique_ptr<LayerClock> LayerClock::connect(std::string& whyNot) {
    const LayerShellModule* wayland = module(whyNot);
    return wayland != nullptr ? std::unique_ptr<LayerClock>(wayland->connect(whyNot)) : nullptr;
}

bool LayerClock::offered(std::string& whyNot) {
    const LayerShellModule* wayland = module(whyNot);
    return wayland != nullptr && wayland->offered(whyNot);
}
