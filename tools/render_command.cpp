// The render subcommand of velmora-tool: one frame, as the clock window draws it, into a PNG.
#include "tools/render_command.h"

#include "clock/scheme_file.h"
#include "model/class_registry.h"
#include "model/utf.h"
#include "render/font_families.h"
#include "render/qt_canvas.h"
#include "resources/default_scheme.h"
#include "time/locale_time_names.h"
#include "time/machine_zone.h"
#include "time/zone_slots.h"
#include "tools/tool_status.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <ostream>
#include <unistd.h>

namespace {

// Large enough for any screen at twice its pixel density, small enough to allocate safely.
constexpr int kMaxSide = 16384;

struct RenderOptions {
    std::string scheme;
    std::optional<velmora::PackedDateTime> utc;
    int width = 200;
    int height = 200;
    std::vector<std::pair<int, std::string>> zones;
    int selected = -1;
    int timeLimit = 0;
    // Dates in this locale's language, as the clock's "Dates in my language" gives them.
    std::optional<std::string> locale;
    std::string out;
};

std::optional<int> number(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Fills options from the arguments; a message for invalid values, nullopt for usage errors.
std::optional<std::string> parse(const std::vector<std::string>& args, RenderOptions& options,
                                 bool& usage) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (i + 1 == args.size()) {
            usage = true;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (flag == "--scheme") {
            options.scheme = value;
        } else if (flag == "--out") {
            options.out = value;
        } else if (flag == "--utc") {
            options.utc = velmora::parseUtcInstant(value);
            if (!options.utc) {
                return "--utc " + value + ": expected YYYY-MM-DDTHH:MM:SS[.cc]";
            }
        } else if (flag == "--size") {
            const std::string wrong =
                "--size " + value + ": expected WxH, each 1 to " + std::to_string(kMaxSide);
            const std::size_t x = value.find('x');
            if (x == std::string::npos) {
                return wrong;
            }
            const auto w = number(std::string_view(value).substr(0, x));
            const auto h = number(std::string_view(value).substr(x + 1));
            if (!w || !h || *w <= 0 || *h <= 0 || *w > kMaxSide || *h > kMaxSide) {
                return wrong;
            }
            options.width = *w;
            options.height = *h;
        } else if (flag == "--zone") {
            std::size_t eq = value.find('=');
            auto slot = eq == std::string::npos ? std::nullopt
                                                : number(std::string_view(value).substr(0, eq));
            if (!slot || *slot < 0 || *slot > 4) {
                return "--zone " + value + ": expected SLOT=ZONEID with a slot from 0 to 4";
            }
            options.zones.emplace_back(*slot, value.substr(eq + 1));
        } else if (flag == "--selected") {
            auto n = number(value);
            if (!n || *n < 0) {
                return "--selected " + value + ": expected an element number from 0";
            }
            options.selected = *n;
        } else if (flag == "--locale") {
            if (value.empty()) {
                return "--locale: expected a locale name such as de_DE.UTF-8";
            }
            options.locale = value;
        } else if (flag == "--time-limit") {
            auto seconds = number(value);
            if (!seconds || *seconds < 1 || *seconds > 3600) {
                return "--time-limit " + value + ": expected seconds from 1 to 3600";
            }
            options.timeLimit = *seconds;
        } else {
            usage = true;
            return std::nullopt;
        }
    }
    usage = options.out.empty();
    return std::nullopt;
}

// Every slot holds the machine's zone unless an option names another.
std::optional<std::string> fillZoneSlots(const RenderOptions& options) {
    velmora::ZoneFinder zones;
    velmora::ZoneRecord machine = zones.findByDisplayName(
        velmora::machineZoneDisplayName(zones, velmora::currentMachineZoneSources()));
    for (int slot = 0; slot < 5; ++slot) {
        velmora::setZoneSlot(slot, machine);
    }
    for (const auto& [slot, id] : options.zones) {
        const velmora::ZoneRecord* zone = zones.findByStandardName(fromUtf8(id));
        if (zone == nullptr && id != "UTC") {
            return "--zone " + id + ": no such zone (see velmora-tool zones)";
        }
        velmora::setZoneSlot(slot, zone != nullptr ? *zone : velmora::ZoneRecord{});
    }
    return std::nullopt;
}

std::unique_ptr<Clock> loadScheme(const RenderOptions& options, std::ostream& err) {
    ReadError error;
    if (options.scheme.empty()) {
        std::unique_ptr<Clock> clock = readDefaultScheme(&error);
        if (clock == nullptr) {
            reportInvalid(err, "default scheme", error.reason);
        }
        return clock;
    }
    std::unique_ptr<Clock> clock = readSchemeFile(options.scheme, &error);
    if (clock == nullptr) {
        reportInvalid(err, options.scheme,
                      error.reason + " (at byte " + std::to_string(error.offset) + ")");
        return nullptr;
    }
    // As the clock window loads a scheme file: brought in line with the current classes.
    clock->reconcileWithTemplate(ClassRegistry::instance());
    return clock;
}

bool selectElement(Clock& clock, int index) {
    int seen = 0;
    for (const auto& child : clock.children()) {
        if (child->isKindOf(ClockObject::kTypeName) && seen++ == index) {
            child->setSelected(true);
            return true;
        }
    }
    return false;
}

// What the alarm handler needs, prepared beforehand: a signal handler may only use
// async-signal-safe calls, so nothing is built or allocated there.
char timeLimitOut[4096];
char timeLimitMessage[128];

// The runtime folder made for this run, empty when the session has one.
char privateRuntime[4096];

// A file manager's thumbnailer must not hang on a hostile scheme: when the limit is reached the
// half-written picture is removed and the tool ends as for any invalid input.
void stopAtTimeLimit(int) {
    ::unlink(timeLimitOut);
    if (privateRuntime[0] != '\0') {
        ::rmdir(privateRuntime);
    }
    [[maybe_unused]] auto written =
        ::write(STDERR_FILENO, timeLimitMessage, std::strlen(timeLimitMessage));
    ::_exit(kExitInvalidInput);
}

bool startTimeLimit(const RenderOptions& options) {
    if (options.timeLimit == 0) {
        return true;
    }
    if (options.out.size() >= sizeof timeLimitOut) {
        return false;
    }
    std::memcpy(timeLimitOut, options.out.c_str(), options.out.size() + 1);
    std::snprintf(timeLimitMessage, sizeof timeLimitMessage,
                  "velmora-tool: render: time limit of %d s reached\n", options.timeLimit);
    std::signal(SIGALRM, stopAtTimeLimit);
    ::alarm(static_cast<unsigned>(options.timeLimit));
    return true;
}

// Qt's own chatter (such as a missing runtime folder on a headless machine) is not the tool's
// output; only its failures are.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "velmora-tool: render: %s\n", qPrintable(message));
    }
}

// Qt wants a runtime folder; where the session has none (a thumbnailer run by a file manager's
// helper, a script) it would make "runtime-<user>" in the temporary folder and leave it there.
// One of the run's own is made instead and removed at the end.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() {
        const QByteArray session = qgetenv("XDG_RUNTIME_DIR");
        if (!session.isEmpty() && ::access(session.constData(), W_OK | X_OK) == 0) {
            return;
        }
        QByteArray base = qgetenv("TMPDIR");
        if (base.isEmpty()) {
            base = "/tmp";
        }
        QByteArray pattern = base + "/velmora-tool-runtime.XXXXXX";
        if (static_cast<std::size_t>(pattern.size()) >= sizeof privateRuntime ||
            ::mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        std::memcpy(privateRuntime, pattern.constData(),
                    static_cast<std::size_t>(pattern.size()) + 1);
        qputenv("XDG_RUNTIME_DIR", pattern);
    }
    ~PrivateRuntimeFolder() {
        if (privateRuntime[0] == '\0') {
            return;
        }
        QDir(QString::fromLocal8Bit(privateRuntime)).removeRecursively();
        privateRuntime[0] = '\0';
        qunsetenv("XDG_RUNTIME_DIR");
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;
};

} // namespace

int runRenderCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    RenderOptions options;
    bool usage = false;
    if (auto problem = parse(args, options, usage)) {
        return reportInvalid(err, "render", *problem);
    }
    if (usage) {
        return kExitUsage;
    }
    // The limit covers everything after the command line: the zone table, the scheme, drawing
    // and writing.
    if (!startTimeLimit(options)) {
        return reportInvalid(err, "render", "--out: the path is too long for --time-limit");
    }
    if (auto problem = fillZoneSlots(options)) {
        return reportInvalid(err, "render", *problem);
    }
    std::unique_ptr<Clock> clock = loadScheme(options, err);
    if (clock == nullptr) {
        return kExitInvalidInput;
    }
    if (options.locale) {
        auto names = velmora::loadLocaleTimeNames(*options.locale);
        if (!names) {
            return reportInvalid(err, "render",
                                 "--locale " + *options.locale + ": the locale is not installed");
        }
        clock->setDateNames(std::make_shared<const velmora::LocaleTimeNames>(std::move(*names)));
    }
    if (options.selected >= 0 && !selectElement(*clock, options.selected)) {
        return reportInvalid(err, "render",
                             "--selected " + std::to_string(options.selected) +
                                 ": the scheme has fewer elements");
    }
    // Fonts need a GUI application; headless, on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietQtMessages);
    const PrivateRuntimeFolder runtime;
    int argc = 1;
    char name[] = "velmora-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    useInstalledFontFamilies();

    QImage image(options.width, options.height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return reportInvalid(err, "render", "not enough memory for the image");
    }
    image.fill(Qt::transparent);
    {
        QtCanvas canvas(image);
        clock->layoutAndDraw(canvas, {0, 0, options.width, options.height},
                             options.utc.value_or(velmora::currentUtcDateTime()));
    }
    if (!image.save(QString::fromStdString(options.out), "PNG")) {
        return reportInvalid(err, options.out, "cannot write the PNG file");
    }
    return kExitOk;
}
