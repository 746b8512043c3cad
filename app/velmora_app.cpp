// The program: prepares Qt, the settings store and the scheme classes, then runs the clock.
#include "app/velmora_app.h"

#include "app/chime/chime_player.h"
#include "app/desktop/clock_instance.h"
#include "app/desktop/clock_request.h"
#include "app/desktop/command_line.h"
#include "app/desktop/module_loader.h"
#include "app/desktop/program_icon.h"
#include "app/desktop/settings.h"
#include "app/desktop/termination_signals.h"
#include "app/desktop/translation_loader.h"
#include "app/desktop/user_path.h"
#include "app/dialogs/about_dialog.h"
#include "app/window/desktop_choice.h"
#include "app/window/editor_module.h"
#include "app/window/layer_clock.h"
#include "app/window/planner_module.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "model/temporary_file.h"
#include "render/font_families.h"
#include "render/qt_text.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// How long a launch that starts the clock for an alarm waits for it to listen.
constexpr std::chrono::seconds kClockStartWait(15);
constexpr std::chrono::milliseconds kClockStartPoll(50);

// Not modal: the clock is up and running behind it.
std::unique_ptr<QMessageBox> notice(const QString& text) {
    std::fprintf(stderr, "velmora: %s\n", qPrintable(QString(text).replace('\n', ' ')));
    showProgramIconFromNowOn();
    auto box = std::make_unique<QMessageBox>(QMessageBox::Information, QStringLiteral("Velmora"),
                                             text, QMessageBox::Ok);
    box->setModal(false);
    box->show();
    return box;
}

std::unique_ptr<QMessageBox> settingsMovedAsideNotice(const Settings& settings) {
    return notice(QCoreApplication::translate("CVelmoraApp",
                                              "The settings file %1 could not be used: %2. It "
                                              "was moved, unchanged, to:\n%3\n\nThe clock "
                                              "starts with its default settings.")
                      .arg(settings.fileName(), settings.movedAsideWhy(), settings.movedAside()));
}

// velmora --check-modules: each module loaded as the clock loads it, one line each; whether
// all of them could be.
bool checkModules() {
    struct Module {
        const char* name;
        const char* entry;
    };
    const Module modules[] = {{EditorModule::kModuleName, EditorModule::kEntryName},
                              {PlannerModule::kModuleName, PlannerModule::kEntryName},
                              {LayerClock::kModuleName, LayerClock::kEntryName},
                              {ChimePlayer::kModuleName, ChimePlayer::kEntryName}};
    bool usable = true;
    for (const Module& module : modules) {
        ModuleLoader loader(QLatin1String(module.name), ModuleLoader::installedFolders());
        const QString outcome =
            loader.resolve(module.entry) != nullptr
                ? loader.path()
                : QCoreApplication::translate("CVelmoraApp", "cannot be used: %1")
                      .arg(loader.why());
        usable = usable && !loader.path().isEmpty();
        std::printf("%s: %s\n", module.name, qPrintable(outcome));
    }
    return usable;
}

} // namespace

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
        if (ClockInstance::isListening(socketPath)) {
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
    const QString application = Settings::applicationName(command.clockName);
    ClockInstance instance(ClockInstance::placesFor(application));
    const QString& socketPath = instance.places().socketPath;
    QString why;
    if (socketPath.isEmpty()) {
        why = instance.places().notice;
    } else if (!ClockInstance::isRunning(application) &&
               !startClock(command.clockName, socketPath)) {
        why = QCoreApplication::translate("CVelmoraApp", "the clock could not be started");
    } else if (instance.handOver(*command.reminder) != ClockInstance::Start::HandedOver) {
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
        // As file names: bytes that are not UTF-8 come through and name the same file.
        arguments.append(pathToQString(std::filesystem::path(argv[i])));
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
        if (command.action == CommandLine::Action::CheckModules) {
            return checkModules() ? 0 : 1;
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
        command.schemeFile.isEmpty() ? QString() : UserPath::absolute(command.schemeFile);
    ClockInstance instance(ClockInstance::placesFor(Settings::applicationName(command.clockName)));
    switch (instance.start(ClockRequest::show(schemeFile))) {
    case ClockInstance::Start::HandedOver:
        return 0;
    case ClockInstance::Start::Refused:
        std::fprintf(stderr, "velmora: %s\n", qPrintable(instance.error()));
        return 1;
    case ClockInstance::Start::First:
        break;
    }
    TerminationSignals::quitOn(application);
    // Background copies left by an instance that was killed or lost its display.
    TemporaryFile::removeStale();
    loadAppResources();
    // Read before the socket listens: a launch meanwhile waits for the clock rather than
    // being answered by a clock that cannot act yet.
    Settings settings(Settings::ClockName{command.clockName});
    if (!instance.places().notice.isEmpty()) {
        std::fprintf(stderr, "velmora: %s\n", qPrintable(instance.places().notice));
    }
    if (!instance.listen() && instance.error() != instance.places().notice) {
        std::fprintf(stderr, "velmora: %s\n",
                     qPrintable(QCoreApplication::translate(
                                    "CVelmoraApp", "runs without taking later launches over: %1")
                                    .arg(instance.error())));
    }
    registerSchemeClasses();
    useInstalledFontFamilies();

    ClockWindowOptions options;
    options.clockName = command.clockName;
    if (layerShell) {
        bool usable = true;
        options.layer = connectLayerShell(usable);
        if (!usable) {
            return 1;
        }
    }
    CVelmoraDlg clock(settings, std::move(options));
    QObject::connect(&clock, &CVelmoraDlg::exitRequested, &application, &QApplication::quit);
    QObject::connect(&instance, &ClockInstance::requested, &clock, &CVelmoraDlg::takeRequest);
    clock.initialize();
    // Once: the file it speaks of is gone from its place, so the next start is quiet.
    std::unique_ptr<QMessageBox> settingsNotice;
    if (!settings.movedAside().isEmpty()) {
        settingsNotice = settingsMovedAsideNotice(settings);
    }
    std::unique_ptr<QMessageBox> writeNotice;
    settings.onFirstWriteFailure([&writeNotice](const QString& file, const QString& why) {
        writeNotice =
            notice(QCoreApplication::translate(
                       "CVelmoraApp", "Your settings could not be saved to %1: %2.\n\nThe "
                                      "clock keeps your changes while it runs; they are lost "
                                      "when it ends unless the file can be written again.")
                       .arg(file, why));
    });
    if (!schemeFile.isEmpty()) {
        clock.loadSchemeAsUser(schemeFile);
    }
    return application.exec();
}
