#include "controls/host/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane {

void AppendJsonString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

// A double as the stored form writes it: a whole number below 2^53 as an integer, anything
// else in the shorter of the plain and the exponent form of its shortest digits (the plain one
// when they tie), the exponent with at least two digits.
void AppendJsonNumber(std::string& out, double d) {
    if (!std::isfinite(d)) {
        out += "null";
        return;
    }
    if (d == std::trunc(d) && std::fabs(d) < 9007199254740992.0) {
        out += std::to_string(static_cast<std::int64_t>(d));
        return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific);
    std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    if (!sci.empty() && sci.front() == '-') {
        out += '-';
        sci.remove_prefix(1);
    }
    const std::size_t e = sci.find('e');
    std::string digits;
    for (const char c : sci.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    int exponent = 0;
    std::string_view ev = sci.substr(e + 1);
    if (!ev.empty() && ev.front() == '+') {
        ev.remove_prefix(1);
    }
    std::from_chars(ev.data(), ev.data() + ev.size(), exponent);
    const int count = static_cast<int>(digits.size());
    const int decpt = exponent + 1;  // digits before the point
    const int plainLength = decpt <= 0 ? 2 - decpt + count : decpt >= count ? decpt : count + 1;
    const int absExp = exponent < 0 ? -exponent : exponent;
    const int sciLength = count + (count > 1 ? 1 : 0) + 2 + (absExp >= 100 ? 3 : 2);
    if (plainLength <= sciLength) {
        if (decpt <= 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-decpt), '0');
            out += digits;
        } else if (decpt >= count) {
            out += digits;
            out.append(static_cast<std::size_t>(decpt - count), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(decpt));
            out += '.';
            out += digits.substr(static_cast<std::size_t>(decpt));
        }
        return;
    }
    out += digits.front();
    if (count > 1) {
        out += '.';
        out += digits.substr(1);
    }
    out += exponent < 0 ? "e-" : "e+";
    if (absExp < 10) {
        out += '0';
    }
    out += std::to_string(absExp);
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t n = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (left > 1) {
            n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        if (left > 2) {
            n |= static_cast<unsigned char>(bytes[i + 2]);
        }
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += left > 1 ? kAlphabet[(n >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[n & 63] : '=';
    }
    return out;
}

// Lenient, as the stored form's reader always was: characters outside the alphabet are
// skipped, and the first '=' ends the data.
std::string Unbase64(std::string_view text) {
    std::string out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (const char c : text) {
        int v = -1;
        if (c >= 'A' && c <= 'Z') {
            v = c - 'A';
        } else if (c >= 'a' && c <= 'z') {
            v = c - 'a' + 26;
        } else if (c >= '0' && c <= '9') {
            v = c - '0' + 52;
        } else if (c == '+') {
            v = 62;
        } else if (c == '/') {
            v = 63;
        } else if (c == '=') {
            break;
        }
        if (v < 0) {
            continue;
        }
        acc = (acc << 6) | static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((acc >> bits) & 0xFF);
        }
    }
    return out;
}

}  // namespace corvane
