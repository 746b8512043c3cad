// The main of the program's window tests: an offscreen QApplication in UTC with the program's
// resources, scheme classes, editor and planner, then every test.
#include "app/dialogs/about_dialog.h"
#include "app/window/editor_module.h"
#include "app/window/planner_module.h"
#include "clock/class_registration.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs the executable without the tests' environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    QApplication application(argc, argv);
    loadAppResources();
    loadAboutResources({QStringLiteral(VELMORA_ABOUT_RESOURCES_DIR)});
    registerSchemeClasses();
    // The editor's code is linked into the tests rather than loaded as the module.
    EditorModule::useLinked(velmoraClockEditor());
    PlannerModule::useLinked(velmoraClockPlanner());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
