// The render subcommand of velmora-tool: one frame, as the clock window draws it, into a PNG.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

int runRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
