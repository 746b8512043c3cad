// velmora-tool: headless access to schemes, zones and rendering for authors and scripts.
#include "clock/class_registration.h"
#include "tools/render_command.h"
#include "tools/scheme_commands.h"
#include "tools/tool_status.h"
#include "tools/zone_commands.h"

#include <iostream>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: velmora-tool COMMAND [ARGS]\n"
    "       velmora-tool --help | --version\n"
    "  dump [--with-data] PATH|--default   print a scheme as JSON\n"
    "  check [--strict] PATH               validate a scheme file; --strict: an image\n"
    "                                      that cannot be shown is an error\n"
    "  roundtrip IN OUT                    read a scheme and write it again\n"
    "  build IN.json OUT                   write a scheme from its JSON\n"
    "  render [--scheme PATH] [--utc YYYY-MM-DDTHH:MM:SS[.cc]] [--size WxH]\n"
    "         [--zone SLOT=ZONEID]... [--selected N] [--time-limit SECONDS]\n"
    "         [--locale NAME] --out FILE.png\n"
    "                                      draw one frame into a PNG\n"
    "  zones                               list the system time zones\n"
    "  convert ZONEID [INSTANT]...         convert UTC instants (YYYY-MM-DDTHH:MM:SS[.cc])\n";

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Entry {
    std::string_view name;
    Command run;
};

constexpr Entry kCommands[] = {
    {"dump", runDumpCommand},
    {"check", runCheckCommand},
    {"roundtrip", runRoundtripCommand},
    {"build", runBuildCommand},
    {"render", runRenderCommand},
    {"zones", velmora::runZonesCommand},
    {"convert",
     [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
         return velmora::runConvertCommand(args, std::cin, out, err);
     }},
};

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "velmora-tool " << VELMORA_VERSION << '\n';
        return kExitOk;
    }
    registerSchemeClasses();
    for (const Entry& entry : kCommands) {
        if (args[0] != entry.name) {
            continue;
        }
        int status = entry.run({args.begin() + 1, args.end()}, std::cout, std::cerr);
        if (status == kExitUsage) {
            std::cerr << kUsage;
        }
        return status;
    }
    std::cerr << "velmora-tool: unknown command \"" << args[0] << "\"\n" << kUsage;
    return kExitUsage;
}
