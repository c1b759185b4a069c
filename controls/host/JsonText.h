#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The pieces of a stored property set's text form, as the stored form files have them.

// A JSON string: `utf8` quoted, with the escapes the stored form uses.
void AppendJsonString(std::string& out, std::string_view utf8);
// A JSON number (JsonText.cpp says in which form).
void AppendJsonNumber(std::string& out, double d);

// Base64 (RFC 4648, with padding), the form of a picture's bytes in a stored property set.
std::string Base64(std::string_view bytes);
// The bytes of a Base64 text, read leniently (JsonText.cpp says how).
std::string Unbase64(std::string_view text);

}  // namespace corvane
