#pragma once

// Wave files as bytes, without a toolkit: real ones, as a sound program writes them (a short
// tone), and broken ones made from them byte by byte. WaveFixture.h gives them as QByteArrays.

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace corvane::test::bytes {

inline std::string Le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string Le32(std::uint32_t v) {
    return Le16(static_cast<std::uint16_t>(v & 0xFFFF)) + Le16(static_cast<std::uint16_t>(v >> 16));
}

// A chunk: its id, its length (the body's, unless given) and the body, without a pad byte.
inline std::string Chunk(const char* id, const std::string& body, std::int64_t length = -1) {
    return std::string(id, 4) +
           Le32(static_cast<std::uint32_t>(length < 0 ? std::int64_t(body.size()) : length)) + body;
}

struct WaveSpec {
    std::uint16_t format = 1;  // PCM
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    int frames = 220;              // 10 ms of an 880 Hz tone
    int fmtExtra = 0;              // bytes after the 16 of the format (fewer than 16 if below 0)
    std::int64_t dataLength = -1;  // the "data" length written, when not the true one
    int dataExtra = 0;             // sample bytes added after the frames
    std::string before{};          // chunks between "WAVE" and "fmt "
    std::string between{};         // chunks between "fmt " and "data"
    std::int64_t riffLengthDelta = 0;
};

// 0x7FFF * sin for 16 bits, scaled to the other widths (8 bits unsigned, as wave files have it).
inline std::string Samples(const WaveSpec& s) {
    std::string data;
    const int bytes = s.bits / 8;
    for (int f = 0; f < s.frames; ++f) {
        const double v = std::sin(2.0 * std::numbers::pi * 880.0 * f / (s.rate ? s.rate : 1));
        for (int c = 0; c < s.channels; ++c) {
            if (bytes == 1) {
                data += static_cast<char>(128 + static_cast<int>(v * 100));
            } else {
                const auto sample =
                    static_cast<std::int32_t>(v * 0x3FFF) * (1 << (8 * (bytes - 2)));
                for (int i = 0; i < bytes; ++i) {
                    data += static_cast<char>((sample >> (8 * i)) & 0xFF);
                }
            }
        }
    }
    return data + std::string(static_cast<std::size_t>(s.dataExtra), '\0');
}

inline std::string MakeWave(const WaveSpec& s = {}) {
    const auto blockAlign = static_cast<std::uint16_t>(s.channels * (s.bits / 8));
    std::string fmt = Le16(s.format) + Le16(s.channels) + Le32(s.rate) + Le32(s.rate * blockAlign) +
                      Le16(blockAlign) + Le16(s.bits);
    if (s.fmtExtra >= 0) {
        fmt += std::string(static_cast<std::size_t>(s.fmtExtra), '\0');
    } else {
        fmt.resize(fmt.size() - static_cast<std::size_t>(-s.fmtExtra));
    }
    const std::string body = "WAVE" + s.before + Chunk("fmt ", fmt) + s.between +
                             Chunk("data", Samples(s), s.dataLength);
    return "RIFF" +
           Le32(static_cast<std::uint32_t>(std::int64_t(body.size()) + s.riffLengthDelta)) + body;
}

}  // namespace corvane::test::bytes
