// The program: prepares Qt, the settings store and the scheme classes, then runs the clock.
#include "app/velmora_app.h"

#include "app/desktop/clock_instance.h"
#include "app/desktop/clock_request.h"
#include "app/desktop/command_line.h"
#include "app/desktop/program_icon.h"
#include "app/desktop/settings.h"
#include "app/desktop/translation_loader.h"
#include "app/dialogs/about_dialog.h"
#include "app/window/desktop_choice.h"
#include "app/window/layer_clock.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "model/temporary_file.h"
#include "render/font_families.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSocketNotifier>
#include <QThread>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
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

// How long a launch that starts the clock for an alarm waits for it to listen.
constexpr std::chrono::seconds kClockStartWait(15);
constexpr std::chrono::milliseconds kClockStartPoll(50);

int signalPipe[2] = {-1, -1};

void forwardSignal(int) {
    char byte = 1;
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void CVelmoraApp::quitOnTerminationSignals(QApplication& application) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
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

bool CVelmoraApp::startClock(const QString& clockName, const QString& socketPath) {
    QStringList arguments;
    if (!clockName.isEmpty()) {
        arguments << QStringLiteral("--clock") << clockName;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments, QString(),
                                 &pid)) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + kClockStartWait;
    while (std::chrono::steady_clock::now() < deadline) {
        if (ClockInstance::isRunning(socketPath)) {
            return true;
        }
        // A clock that could not start (no display, say) has said why and is gone.
        if (::kill(static_cast<pid_t>(pid), 0) != 0) {
            return false;
        }
        QThread::msleep(kClockStartPoll.count());
    }
    return false;
}

int CVelmoraApp::handReminderOver(int argc, char** argv, const CommandLine& command) {
    QCoreApplication console(argc, argv);
    TranslationLoader translations;
    if (translations.loadForDesktop()) {
        translations.install();
    }
    const QString socketPath =
        ClockInstance::socketPathFor(Settings::applicationName(command.clockName));
    ClockInstance instance(socketPath);
    QString why;
    if (socketPath.isEmpty()) {
        why = QCoreApplication::translate("ClockInstance", "no runtime folder (XDG_RUNTIME_DIR)");
    } else if (!ClockInstance::isRunning(socketPath) &&
               !startClock(command.clockName, socketPath)) {
        why = QCoreApplication::translate("CVelmoraApp", "the clock could not be started");
    } else if (instance.handOver(command.reminder->encode()) != ClockInstance::Start::HandedOver) {
        why = instance.error();
    }
    if (!why.isEmpty()) {
        std::fprintf(stderr, "velmora: %s\n", qPrintable(why));
        return 1;
    }
    return 0;
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
    if (command.reminder) {
        // A timer runs from the moment it was asked for, however long the clock takes to start.
        command.reminder->askedAt = QDateTime::currentMSecsSinceEpoch();
        return handReminderOver(argc, argv, command);
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
    ClockRequest show;
    show.schemePath = schemeFile;
    switch (instance.start(show.encode())) {
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
    QObject::connect(&instance, &ClockInstance::requested, &clock, &CVelmoraDlg::takeRequest);
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
