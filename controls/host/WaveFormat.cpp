#include "controls/host/WaveFormat.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

std::uint16_t Le16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The format in a "fmt " chunk's body, or nothing when it is not one we play.
std::optional<WaveLayout> PcmFormat(std::string_view fmt) {
    if (fmt.size() < 16) {
        return std::nullopt;
    }
    const std::uint16_t format = Le16(fmt, 0);
    WaveLayout out;
    out.channels = Le16(fmt, 2);
    out.rate = Le32(fmt, 4);
    out.bits = Le16(fmt, 14);
    if (format != 1 || out.channels == 0 || out.rate == 0 ||
        (out.bits != 8 && out.bits != 16 && out.bits != 24 && out.bits != 32)) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<WaveLayout> ParsePlayableWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    const std::int64_t size = static_cast<std::int64_t>(bytes.size());
    const std::int64_t end = 8 + std::int64_t{Le32(bytes, 4)};
    if (end > size) {
        return std::nullopt;  // shorter than its header says
    }
    std::optional<WaveLayout> format;
    std::int64_t at = 12;
    while (at + 8 <= end) {
        const auto pos = static_cast<std::size_t>(at);
        const std::string_view id = bytes.substr(pos, 4);
        const std::int64_t length = Le32(bytes, pos + 4);
        const std::int64_t body = at + 8;
        if (length > end - body) {
            return std::nullopt;
        }
        if (id == "data") {
            if (!format || length % (std::int64_t{format->channels} * (format->bits / 8)) != 0) {
                return std::nullopt;
            }
            format->dataOffset = body;
            format->dataLength = length;
            return format;
        }
        if (id == "fmt ") {
            if (format) {
                return std::nullopt;  // which of two formats would apply is anyone's guess
            }
            format = PcmFormat(
                bytes.substr(static_cast<std::size_t>(body), static_cast<std::size_t>(length)));
            if (!format) {
                return std::nullopt;
            }
        }
        if (length % 2 != 0) {
            return std::nullopt;
        }
        at = body + length;
    }
    return std::nullopt;  // no samples
}

bool IsPlayableWave(std::string_view bytes) {
    return ParsePlayableWave(bytes).has_value();
}

WaveSampleReader::WaveSampleReader(const WaveLayout& layout)
    : m_at(layout.dataOffset),
      m_end(layout.dataOffset + layout.dataLength),
      m_widen(layout.bits == 24) {}

std::int64_t WaveSampleReader::available() const {
    return m_widen ? (m_end - m_at) / 3 * 4 : m_end - m_at;
}

std::int64_t WaveSampleReader::read(std::string_view wave, char* out, std::int64_t max) {
    const char* in = wave.data() + m_at;
    if (!m_widen) {
        const std::int64_t n = std::min(max, m_end - m_at);
        std::memcpy(out, in, static_cast<std::size_t>(n));
        m_at += n;
        return n;
    }
    // Little-endian: the three bytes become the upper three of four.
    const std::int64_t samples = std::min(max / 4, (m_end - m_at) / 3);
    for (std::int64_t i = 0; i < samples; ++i) {
        out[4 * i] = 0;
        std::memcpy(out + 4 * i + 1, in + 3 * i, 3);
    }
    m_at += 3 * samples;
    return 4 * samples;
}

}  // namespace corvane
