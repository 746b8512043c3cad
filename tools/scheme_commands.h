// The scheme subcommands of velmora-tool: dump, check, roundtrip and build.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Each takes the arguments after the subcommand's name and returns the exit status:
// 0 success, 1 invalid input (one line on err), 2 usage error.
int runDumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runRoundtripCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
