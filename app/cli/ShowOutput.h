#pragma once

#include <string>

#include "core/PatchValues.h"

namespace corvane::cli {

// The twelve values as a table for people: each team ID with its club name, each colour
// slot as R,G,B,A (the form `set` takes) with its colour hex text.
std::string ShowTable(const PatchValues& values);

// The twelve values as one JSON object on one line, keys in alphabetical order:
// {"exhibition":{"blue":..,"green":..,"hex":"80FF","red":..,"transparency":..},"font":{...},
//  "teams":[{"id":100,"name":"MANCHESTER UNITED","slot":1},...]}
std::string ShowJson(const PatchValues& values);

}  // namespace corvane::cli
