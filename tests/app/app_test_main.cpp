// The main of the program's window tests: an offscreen QApplication in UTC with the program's
// resources and scheme classes, then every test.
#include "app/about_dialog.h"
#include "clock/class_registration.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs the executable without the tests' environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    QApplication application(argc, argv);
    loadAppResources();
    registerSchemeClasses();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
