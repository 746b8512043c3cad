// The scheme subcommands of velmora-tool: dump, check, roundtrip and build.
#include "tools/scheme_commands.h"

#include "clock/scheme_file.h"
#include "model/file_property.h"
#include "model/utf.h"
#include "render/bounded_image_decoder.h"
#include "resources/default_scheme.h"
#include "tools/json_reader.h"
#include "tools/json_writer.h"
#include "tools/scheme_json.h"
#include "tools/tool_status.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string describe(const ReadError& error) {
    return error.reason + " (at byte " + std::to_string(error.offset) + ")";
}

// Reads a whole scheme file; trailing bytes make it invalid, so every valid file writes back
// byte for byte.
std::unique_ptr<Clock> readStrict(const std::string& path, std::ostream& err) {
    ReadError error;
    std::unique_ptr<Clock> clock = readSchemeFile(path, &error, true);
    if (clock == nullptr) {
        reportInvalid(err, path, describe(error));
    }
    return clock;
}

// The image libraries' warnings about a file are said once, as the warning line, in words
// of our own.
void dropImageLibraryMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

// The carried files the clock would refuse to show as images, with the reason for each, in
// the order of the tree.
void collectUnshowableImages(PropertyMap& map, std::vector<std::string>& problems) {
    for (const auto& child : map.children()) {
        if (auto* nested = asKind<PropertyMap>(child.get())) {
            collectUnshowableImages(*nested, problems);
            continue;
        }
        auto* file = asKind<FileProperty>(child.get());
        if (file == nullptr) {
            continue;
        }
        // No bytes is no image, which the clock shows as such.
        const std::span<const std::uint8_t> bytes = file->bytes();
        if (bytes.empty()) {
            continue;
        }
        const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                        static_cast<qsizetype>(bytes.size()));
        if (std::optional<QString> reason = reasonImageCannotBeShown(data)) {
            problems.push_back(toUtf8(file->name()) +
                               ": the image cannot be shown: " + reason->toStdString());
        }
    }
}

// One path and an optional flag, in any order; nothing when anything else is given.
std::optional<std::pair<std::string, bool>> sourceAndFlag(const std::vector<std::string>& args,
                                                          std::string_view flag) {
    std::pair<std::string, bool> parsed{std::string(), false};
    for (const std::string& arg : args) {
        if (arg == flag) {
            parsed.second = true;
        } else if (parsed.first.empty()) {
            parsed.first = arg;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.first.empty()) {
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int runDumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = sourceAndFlag(args, "--with-data");
    if (!parsed) {
        return kExitUsage;
    }
    const auto& [source, withData] = *parsed;
    std::unique_ptr<Clock> clock;
    if (source == "--default") {
        ReadError error;
        clock = readDefaultScheme(&error);
        if (clock == nullptr) {
            return reportInvalid(err, "default scheme", describe(error));
        }
    } else {
        clock = readStrict(source, err);
    }
    if (clock == nullptr) {
        return kExitInvalidInput;
    }
    out << JsonWriter::write(schemeToJson(*clock, withData));
    return kExitOk;
}

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = sourceAndFlag(args, "--strict");
    if (!parsed) {
        return kExitUsage;
    }
    const auto& [source, strict] = *parsed;
    std::unique_ptr<Clock> clock = readStrict(source, err);
    if (clock == nullptr) {
        return kExitInvalidInput;
    }
    // The file is well formed; an image in it that cannot be shown is the author's to know.
    std::vector<std::string> problems;
    const QtMessageHandler previous = qInstallMessageHandler(dropImageLibraryMessages);
    collectUnshowableImages(*clock, problems);
    qInstallMessageHandler(previous);
    if (const std::size_t elements = clock->elementCount();
        elements > Clock::kElementsDrawnEachSecond) {
        problems.push_back(std::to_string(elements) + " elements, more than " +
                           std::to_string(Clock::kElementsDrawnEachSecond) +
                           ": a frame of them takes long, and the clock draws them less often "
                           "than every second");
    }
    if (strict && !problems.empty()) {
        return reportInvalid(err, source, problems.front());
    }
    for (const std::string& problem : problems) {
        err << "warning: " << source << ": " << problem << "\n";
    }
    std::error_code code;
    auto bytes = std::filesystem::file_size(source, code);
    out << "ok: " << countObjects(*clock) << " objects, " << bytes << " bytes\n";
    return kExitOk;
}

int runRoundtripCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) {
        return kExitUsage;
    }
    std::unique_ptr<Clock> clock = readStrict(args[0], err);
    if (clock == nullptr) {
        return kExitInvalidInput;
    }
    std::string error;
    if (!saveSchemeFile(*clock, args[1], &error)) {
        return reportInvalid(err, args[1], error);
    }
    return kExitOk;
}

int runBuildCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) {
        return kExitUsage;
    }
    std::ifstream input(args[0], std::ios::binary);
    if (!input) {
        return reportInvalid(err, args[0], "cannot open the file");
    }
    std::stringstream text;
    text << input.rdbuf();
    std::unique_ptr<Clock> clock;
    try {
        JsonValue json = JsonReader::parse(text.str());
        clock = schemeFromJson(json, std::filesystem::path(args[0]).parent_path());
    } catch (const JsonError& error) {
        return reportInvalid(err, args[0], error.what());
    }
    std::string error;
    if (!saveSchemeFile(*clock, args[1], &error)) {
        return reportInvalid(err, args[1], error);
    }
    return kExitOk;
}
