#pragma once

#include <QByteArray>
#include <QString>

#include "PatchValues.h"

namespace corvane::cli {

// The twelve values as a table for people: each team ID with its club name, each colour
// slot as R,G,B,A (the form `set` takes) with its colour hex text.
QString ShowTable(const PatchValues& values);

// The twelve values as one JSON object on one line:
// {"teams":[{"slot":1,"id":100,"name":"MANCHESTER UNITED"},...],
//  "exhibition":{"red":..,"green":..,"blue":..,"transparency":..,"hex":"80FF"},"font":{...}}
QByteArray ShowJson(const PatchValues& values);

}  // namespace corvane::cli
