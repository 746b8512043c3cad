// The clock's command line: velmora [--clock NAME] [FILE.Velmora], --alarm HH:MM or --timer
// DURATION with --label TEXT, --help, --version, --check-modules.
#include "app/desktop/command_line.h"

#include "time/alarm_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int kMaxClockNameLength = 64;

// The options every Qt program takes (QGuiApplication and QApplication read them, and the
// platform plugins); they are the toolkit's, not ours, and reach it unchanged.
const QStringList kQtValueOptions{
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("name"),
    QStringLiteral("title"),           QStringLiteral("visual"),
};
const QStringList kQtFlagOptions{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                 QStringLiteral("nograb"), QStringLiteral("dograb"),
                                 QStringLiteral("sync")};

// The option an argument names, without its dashes and any "=value"; empty for a non-option.
QString optionName(const QString& argument) {
    if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) {
        return {};
    }
    const QString word =
        argument.startsWith(QLatin1String("--")) ? argument.mid(2) : argument.mid(1);
    return word.section(QLatin1Char('='), 0, 0);
}

// Qt's parser words its errors its own way, with quotes of its own and partly untranslated;
// the user gets ours, worded and quoted as every other mistake.
QString parseError(const QCommandLineParser& parser, const QStringList& arguments,
                   const QList<QCommandLineOption>& options) {
    const QStringList unknown = parser.unknownOptionNames();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) {
            break;
        }
        const QString name = optionName(argument);
        if (name.isEmpty()) {
            continue;
        }
        if (unknown.contains(name)) {
            return QCoreApplication::translate("CommandLine", "unknown option '%1'")
                .arg(argument.section(QLatin1Char('='), 0, 0));
        }
        for (const QCommandLineOption& option : options) {
            if (!option.names().contains(name)) {
                continue;
            }
            const bool joined = argument.contains(QLatin1Char('='));
            if (option.valueName().isEmpty() && joined) {
                return QCoreApplication::translate("CommandLine", "'%1' takes no value")
                    .arg(argument.section(QLatin1Char('='), 0, 0));
            }
            if (!option.valueName().isEmpty() && !joined && i + 1 == arguments.size()) {
                return QCoreApplication::translate("CommandLine", "'%1' needs a value")
                    .arg(argument);
            }
        }
    }
    return parser.errorText();
}

} // namespace

bool CommandLine::isValidClockName(const QString& name) {
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return !name.isEmpty() && name.size() <= kMaxClockNameLength && allowed.match(name).hasMatch();
}

QString CommandLine::usage(const QString& program) {
    return QCoreApplication::translate(
               "CommandLine",
               "Usage: %1 [--clock NAME] [FILE.Velmora]\n"
               "       %1 [--clock NAME] --alarm HH:MM [--label TEXT]\n"
               "       %1 [--clock NAME] --timer DURATION [--label TEXT]\n"
               "A freely shaped clock that floats on the desktop.\n"
               "\n"
               "Options:\n"
               "  --clock NAME       run the clock of this name, with settings of its own\n"
               "                     (letters, digits, '-' and '_'); without it, the default\n"
               "                     clock\n"
               "  --alarm HH:MM      set an alarm on the clock for the next HH:MM (00:00 to\n"
               "                     23:59), starting the clock if it does not run\n"
               "  --timer DURATION   start a timer on the clock: 90s, 5m, 1h30m and so on\n"
               "  --label TEXT       what the alarm or timer is for, shown when it rings\n"
               "  --check-modules    load each of the program's modules as the clock would,\n"
               "                     tell where it came from or why it cannot be used, and exit\n"
               "  -h, --help         show this help and exit\n"
               "  -v, --version      show the version and exit\n"
               "\n"
               "Arguments:\n"
               "  FILE.Velmora       a scheme to show; a clock of the same name that is\n"
               "                     already running takes it over and comes to the front\n")
        .arg(program);
}

QStringList CommandLine::withoutToolkitOptions(const QStringList& arguments) {
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--")) {
            ours.append(arguments.mid(i));
            break;
        }
        // Qt takes "-style", "--style" and "-style=fusion" alike.
        const QString word = optionName(argument);
        if (i == 0 || word.isEmpty()) {
            ours.append(argument);
            continue;
        }
        const bool joined = argument.contains(QLatin1Char('='));
        if (kQtFlagOptions.contains(word)) {
            continue;
        }
        if (kQtValueOptions.contains(word)) {
            if (!joined) {
                ++i;
            }
            continue;
        }
        ours.append(argument);
    }
    return ours;
}

CommandLine CommandLine::parse(const QStringList& allArguments) {
    CommandLine result;
    const QStringList arguments = withoutToolkitOptions(allArguments);
    // Most starts (the session's, the menu's) have no arguments; the parser's code then
    // need not be read in at all.
    if (arguments.size() <= 1) {
        return result;
    }
    const QString program =
        arguments.isEmpty() ? QStringLiteral("velmora") : QFileInfo(arguments[0]).fileName();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption clock(QStringLiteral("clock"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption alarm(QStringLiteral("alarm"), QString(), QStringLiteral("HH:MM"));
    const QCommandLineOption timer(QStringLiteral("timer"), QString(), QStringLiteral("DURATION"));
    const QCommandLineOption label(QStringLiteral("label"), QString(), QStringLiteral("TEXT"));
    const QCommandLineOption checkModules(QStringLiteral("check-modules"));
    const QList<QCommandLineOption> options{help,  version, clock,       alarm,
                                            timer, label,   checkModules};
    parser.addOptions(options);
    const auto fail = [&](const QString& message) {
        result.action = Action::UsageError;
        result.text = QCoreApplication::translate("CommandLine",
                                                  "%1: %2\nTry '%1 --help' for more information.\n")
                          .arg(program, message);
        return result;
    };
    if (!parser.parse(arguments)) {
        return fail(parseError(parser, arguments, options));
    }
    if (parser.isSet(help)) {
        result.action = Action::Print;
        result.text = usage(program);
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Action::Print;
        result.text = QStringLiteral("%1 %2\n").arg(program, QStringLiteral(VELMORA_VERSION));
        return result;
    }
    if (parser.isSet(checkModules)) {
        result.action = Action::CheckModules;
        return result;
    }
    if (parser.values(clock).size() > 1) {
        return fail(QCoreApplication::translate("CommandLine", "--clock given more than once"));
    }
    if (parser.isSet(clock)) {
        result.clockName = parser.value(clock);
        if (!isValidClockName(result.clockName)) {
            return fail(QCoreApplication::translate("CommandLine",
                                                    "invalid clock name '%1': use up to %2 "
                                                    "letters, digits, '-' and '_'")
                            .arg(result.clockName)
                            .arg(kMaxClockNameLength));
        }
    }
    const QStringList files = parser.positionalArguments();
    for (const QCommandLineOption* once : {&alarm, &timer, &label}) {
        if (parser.values(*once).size() > 1) {
            return fail(QCoreApplication::translate("CommandLine", "--%1 given more than once")
                            .arg(once->names().constFirst()));
        }
    }
    if (parser.isSet(alarm) && parser.isSet(timer)) {
        return fail(QCoreApplication::translate("CommandLine",
                                                "--alarm and --timer cannot be given together"));
    }
    if (parser.isSet(label) && !parser.isSet(alarm) && !parser.isSet(timer)) {
        return fail(
            QCoreApplication::translate("CommandLine", "--label goes with --alarm or --timer"));
    }
    if (parser.isSet(alarm) || parser.isSet(timer)) {
        if (!files.isEmpty()) {
            return fail(QCoreApplication::translate("CommandLine",
                                                    "--alarm and --timer take no scheme file"));
        }
        ClockRequest request;
        request.label =
            QString::fromStdU16String(velmora::cleanLabel(parser.value(label).toStdU16String()));
        if (parser.isSet(alarm)) {
            const auto minute = velmora::parseTimeOfDay(parser.value(alarm).toStdString());
            if (!minute) {
                return fail(QCoreApplication::translate(
                                "CommandLine", "invalid time '%1': use HH:MM, 00:00 to 23:59")
                                .arg(parser.value(alarm)));
            }
            request.kind = ClockRequest::Kind::Alarm;
            request.value = *minute;
        } else {
            const auto seconds = velmora::parseDuration(parser.value(timer).toStdString());
            if (!seconds) {
                return fail(QCoreApplication::translate(
                                "CommandLine", "invalid duration '%1': use for example 90s, 5m "
                                               "or 1h30m, up to 99h59m59s")
                                .arg(parser.value(timer)));
            }
            request.kind = ClockRequest::Kind::Timer;
            request.value = *seconds;
        }
        result.reminder = request;
        return result;
    }
    if (files.size() > 1) {
        return fail(QCoreApplication::translate("CommandLine", "one scheme file at most, got %1")
                        .arg(files.size()));
    }
    if (!files.isEmpty()) {
        if (files[0].isEmpty()) {
            return fail(
                QCoreApplication::translate("CommandLine", "the scheme file name is empty"));
        }
        result.schemeFile = files[0];
    }
    return result;
}
