#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

// Whether `bytes` is a wave file that a player can take whole and play to its end, with no
// guess about where its samples are or how to read them. Players disagree about anything
// else (Qt Multimedia's loader never finished a file that ends before its header says it
// should, and the next new sound then blocked the UI thread for good). So only this is played:
// - "RIFF", a size the file holds in full, "WAVE";
// - then chunks, each within that size, up to the first "data" chunk: exactly one "fmt "
//   chunk before it, of uncompressed PCM (format 1) with 1 or more channels, a sample rate
//   above 0 and 8, 16, 24 or 32 bits a sample;
// - a "data" chunk whose length is a whole number of frames (channels x bytes a sample).
// Chunks before "data" must have even lengths: readers disagree about the pad byte after an
// odd one, and might then find another "data" than this check did.
bool IsPlayableWave(std::string_view bytes);

// Sounds are short: a file larger than this plays nothing rather than being held in memory
// whole, on either platform.
inline constexpr long long kMaxSoundFileBytes = 16 * 1024 * 1024;

// What a player needs of a wave that passes that check: its format, and where its samples are.
struct WaveLayout {
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;  // a sample: 8 (unsigned), 16, 24 or 32 (signed)
    std::int64_t dataOffset = 0;
    std::int64_t dataLength = 0;
};
// The layout of `bytes` when IsPlayableWave(bytes); otherwise nothing.
std::optional<WaveLayout> ParsePlayableWave(std::string_view bytes);

// The samples of a checked wave as an audio output takes them, read in pieces: the sample
// block alone, and 24-bit samples, which outputs do not take, widened to 32 bits, whole
// samples to each read.
class WaveSampleReader {
public:
    explicit WaveSampleReader(const WaveLayout& layout);
    // The bytes still to come.
    std::int64_t available() const;
    // Copies at most `max` bytes of samples of `wave` (the bytes the layout is of) to `out`;
    // returns how many.
    std::int64_t read(std::string_view wave, char* out, std::int64_t max);

private:
    std::int64_t m_at;
    std::int64_t m_end;
    bool m_widen;
};

}  // namespace corvane
