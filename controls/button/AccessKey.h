#pragma once

#include <QString>

namespace corvane {

// The access key a caption marks with "&", in lower case, or the empty text. Only the first
// two ampersand groups count: "&Save" -> "s", "Save && Exit" -> none, "&&x&y" -> "y",
// "a&&b&&c&d" -> none.
QString ParseAccessKey(const QString& caption);

}  // namespace corvane
