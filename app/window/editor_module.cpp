// The editor module (velmora_editor), loaded at the first "Customize..." or "Time zones...".
#include "app/window/editor_module.h"

#include "app/desktop/module_loader.h"
#include "app/window/clock_editor.h"

#include <QtDebug>

namespace {

ClockEditor* linkedEditor = nullptr;
ClockEditor* loadedEditor = nullptr;
bool loadTried = false;

ModuleLoader& loader() {
    static ModuleLoader module(QLatin1String(EditorModule::kModuleName),
                               ModuleLoader::installedFolders());
    return module;
}

} // namespace

ClockEditor* EditorModule::editor() {
    if (linkedEditor != nullptr) {
        return linkedEditor;
    }
    if (loadTried) {
        return loadedEditor;
    }
    loadTried = true;
    const auto entry = reinterpret_cast<Entry>(loader().resolve(kEntryName));
    if (entry == nullptr) {
        qWarning().noquote() << "velmora: the editor cannot be loaded:" << loader().why();
        return nullptr;
    }
    loadedEditor = entry();
    return loadedEditor;
}

ClockEditor* EditorModule::loaded() {
    return linkedEditor != nullptr ? linkedEditor : loadedEditor;
}

QString EditorModule::missingReason() {
    return loader().why();
}

void EditorModule::useLinked(ClockEditor* editor) {
    linkedEditor = editor;
}
