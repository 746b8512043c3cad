// Converting schemes to JSON and back, losslessly.
#pragma once

#include "clock/clock.h"
#include "tools/json_value.h"

#include <filesystem>
#include <memory>
#include <string>

// The tree as JSON; with withData, carried files include their bytes in base64.
JsonValue schemeToJson(Property& root, bool withData);

// Builds a scheme from its JSON. Carried file bytes come from "dataBase64" or "dataFile", a
// path relative to baseFolder. Throws JsonError with a path to the offending object.
std::unique_ptr<Clock> schemeFromJson(const JsonValue& json,
                                      const std::filesystem::path& baseFolder);
