// The program: prepares Qt, the settings store and the scheme classes, then runs the clock.
#include "app/velmora_app.h"

#include "app/about_dialog.h"
#include "app/settings.h"
#include "app/velmora_dlg.h"
#include "clock/class_registration.h"
#include "render/font_families.h"

#include <QApplication>

void CVelmoraApp::preferXcbUnderWayland() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY")) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
}

int CVelmoraApp::run(int argc, char** argv) {
    preferXcbUnderWayland();
    QApplication application(argc, argv);
    // The clock is the only window; hiding it to the tray must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    loadAppResources();
    Settings settings;
    registerSchemeClasses();
    useInstalledFontFamilies();

    CVelmoraDlg clock(settings);
    QObject::connect(&clock, &CVelmoraDlg::exitRequested, &application, &QApplication::quit);
    clock.initialize();
    return application.exec();
}
