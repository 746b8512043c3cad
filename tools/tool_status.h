// Exit statuses and the error line shared by velmora-tool's subcommands.
#pragma once

#include <ostream>
#include <string_view>

inline constexpr int kExitOk = 0;
inline constexpr int kExitInvalidInput = 1;
inline constexpr int kExitUsage = 2;

// Writes "velmora-tool: <what>: <reason>" and returns the invalid-input status.
inline int reportInvalid(std::ostream& err, std::string_view what, std::string_view reason) {
    err << "velmora-tool: " << what << ": " << reason << '\n';
    return kExitInvalidInput;
}
