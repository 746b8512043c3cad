// The program: prepares Qt, the settings store and the scheme classes, then runs the clock.
#include "app/velmora_app.h"

#include "app/about_dialog.h"
#include "app/clock_instance.h"
#include "app/command_line.h"
#include "app/desktop_choice.h"
#include "app/layer_clock.h"
#include "app/program_icon.h"
#include "app/settings.h"
#include "app/translation_loader.h"
#include "app/velmora_dlg.h"
#include "clock/class_registration.h"
#include "model/temporary_file.h"
#include "render/font_families.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Not modal: the clock is up and running behind it.
std::unique_ptr<QMessageBox> settingsMovedAsideNotice(const QString& movedTo) {
    const QString text =
        QCoreApplication::translate("CVelmoraApp",
                                    "The settings file was too large or damaged to be used. It "
                                    "was moved, unchanged, to:\n%1\n\nThe clock starts with its "
                                    "default settings.")
            .arg(movedTo);
    std::fprintf(stderr, "velmora: %s\n", qPrintable(QString(text).replace('\n', ' ')));
    showProgramIconFromNowOn();
    auto box = std::make_unique<QMessageBox>(QMessageBox::Information, QStringLiteral("Velmora"),
                                             text, QMessageBox::Ok);
    box->setModal(false);
    box->show();
    return box;
}

int signalPipe[2] = {-1, -1};
// To the thread that ends the program when its orderly end takes too long.
int watchdogPipe[2] = {-1, -1};

void forwardSignal(int signal) {
    // The interrupted code may be about to read errno.
    const int interrupted = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
    written = ::write(watchdogPipe[1], &byte, 1);
    errno = interrupted;
}

// The window's thread may be in the middle of a long frame or load when the signal comes. If
// the orderly end has not come within this, the signal ends the program as it would by
// default: what the orderly end would remove (the scheme's temporary copies, the socket), the
// next start sweeps away.
constexpr std::chrono::milliseconds kOrderlyEndGrace{750};

void endOnSignalsAfterGrace() {
    if (::pipe2(watchdogPipe, O_CLOEXEC) != 0) {
        return;
    }
    std::thread([] {
        unsigned char signal = 0;
        while (::read(watchdogPipe[0], &signal, 1) != 1) {
            if (errno != EINTR) {
                return;
            }
        }
        std::this_thread::sleep_for(kOrderlyEndGrace);
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }).detach();
}

} // namespace

void CVelmoraApp::quitOnTerminationSignals(QApplication& application) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    endOnSignalsAfterGrace();
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QApplication::quit);
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

bool CVelmoraApp::chooseDesktop(bool& layerShell) {
    const DesktopChoice choice = ::chooseDesktop(DesktopFacts::fromEnvironment());
    if (choice.surface == DesktopChoice::Surface::None) {
        std::fprintf(stderr, "velmora: %s\n", choice.message.c_str());
        return false;
    }
    if (!choice.qtPlatform.empty()) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(choice.qtPlatform));
    }
    layerShell = choice.surface == DesktopChoice::Surface::LayerShell;
    return true;
}

std::unique_ptr<LayerClock> CVelmoraApp::connectLayerShell(bool& usable) {
    usable = true;
    std::string whyNot;
    std::unique_ptr<LayerClock> layer = LayerClock::connect(whyNot);
    if (layer != nullptr) {
        return layer;
    }
    // The compositor offered the layer shell a moment ago. Through XWayland the clock can
    // still be a window of its own; as a Wayland window it would be tiled or centred.
    std::fprintf(stderr, "velmora: %s\n", whyNot.c_str());
    usable = QGuiApplication::platformName() == QLatin1String("xcb");
    return nullptr;
}

void CVelmoraApp::shareOneMemoryArena() {
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

int CVelmoraApp::run(int argc, char** argv) {
    // Answered before anything needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    CommandLine command = CommandLine::parse(arguments);
    if (command.action != CommandLine::Action::Run) {
        // The help and the mistakes in the user's language, still without a display.
        QCoreApplication console(argc, argv);
        TranslationLoader translations;
        if (translations.loadForDesktop()) {
            translations.install();
            command = CommandLine::parse(arguments);
        }
    }
    if (command.action == CommandLine::Action::Print) {
        std::fputs(command.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (command.action == CommandLine::Action::UsageError) {
        std::fputs(command.text.toLocal8Bit().constData(), stderr);
        return CommandLine::kExitUsage;
    }
    shareOneMemoryArena();
    bool layerShell = false;
    if (!chooseDesktop(layerShell)) {
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    TranslationLoader translations;
    translations.loadForDesktop();
    translations.install();
    // The clock is the only window; hiding it to the tray must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // A clock of this name that runs already takes the file over and comes to the front.
    const QString schemeFile =
        command.schemeFile.isEmpty() ? QString() : QFileInfo(command.schemeFile).absoluteFilePath();
    ClockInstance instance(
        ClockInstance::socketPathFor(Settings::applicationName(command.clockName)));
    switch (instance.start(schemeFile)) {
    case ClockInstance::Start::HandedOver:
        return 0;
    case ClockInstance::Start::Refused:
        std::fprintf(stderr, "velmora: %s\n", qPrintable(instance.error()));
        return 1;
    case ClockInstance::Start::Unavailable:
        std::fprintf(stderr, "velmora: %s\n",
                     qPrintable(QCoreApplication::translate(
                                    "CVelmoraApp", "runs without taking later launches over: %1")
                                    .arg(instance.error())));
        break;
    case ClockInstance::Start::Listening:
        break;
    }
    quitOnTerminationSignals(application);
    // Background copies left by an instance that was killed or lost its display.
    TemporaryFile::removeStale();
    loadAppResources();
    Settings settings(Settings::ClockName{command.clockName});
    registerSchemeClasses();
    useInstalledFontFamilies();

    CVelmoraDlg clock(settings);
    if (layerShell) {
        bool usable = true;
        std::unique_ptr<LayerClock> layer = connectLayerShell(usable);
        if (!usable) {
            return 1;
        }
        if (layer != nullptr) {
            clock.showOnLayerShell(std::move(layer));
        }
    }
    clock.setClockName(command.clockName);
    QObject::connect(&clock, &CVelmoraDlg::exitRequested, &application, &QApplication::quit);
    QObject::connect(&instance, &ClockInstance::requested, &clock, &CVelmoraDlg::takeHandOver);
    clock.initialize();
    // Once: the file it speaks of is gone from its place, so the next start is quiet.
    std::unique_ptr<QMessageBox> settingsNotice;
    if (!settings.movedAside().isEmpty()) {
        settingsNotice = settingsMovedAsideNotice(settings.movedAside());
    }
    if (!schemeFile.isEmpty()) {
        clock.loadSchemeAsUser(schemeFile);
    }
    return application.exec();
}
