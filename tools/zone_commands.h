// The "zones" and "convert" subcommands of velmora-tool.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora {

// velmora-tool zones: the system zone table, one zone per line:
// display name TAB standard name TAB "Bias StandardBias DaylightBias" TAB "daylight standard",
// where each rule is "none", a yearly "M<month>.<occurrence>.<weekday>/<hour>:<mm>:<ss>" (the
// hour signed, and beyond 24 when the transition carries into later days) or an absolute
// "YYYY-MM-DDTHH:MM:SS". Returns the exit status.
int runZonesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// velmora-tool convert ZONEID [YYYY-MM-DDTHH:MM:SS[.cc]]...: each UTC instant as the zone's
// local time "YYYY-MM-DD HH:MM:SS.cc", one a line; without instants, one instant per line of
// `in` (blank lines are skipped). ZONEID is a standard name of the zone table, a link to one, or
// "UTC". Converts with the database's transitions and, beyond them, the zone's footer rule.
int runConvertCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err);

} // namespace velmora
