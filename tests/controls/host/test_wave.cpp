// The wave check without a toolkit: which bytes a player is given, and what it reads of them,
// natively and, cross-built, under Wine.
#include <doctest.h>

#include <string>
#include <utility>

#include "controls/host/WaveFormat.h"
#include "tests/support/WaveBytes.h"

using namespace corvane;
using namespace corvane::test::bytes;

TEST_CASE("only a whole PCM wave with one format before its samples is played") {
    const std::string good = MakeWave();
    const struct {
        const char* name;
        std::string bytes;
        bool playable;
    } rows[] = {
        {"16-bit mono PCM", good, true},
        {"8-bit mono, odd sample block", MakeWave({.bits = 8, .frames = 221}), true},
        {"24-bit stereo", MakeWave({.channels = 2, .bits = 24}), true},
        {"32-bit", MakeWave({.bits = 32}), true},
        {"no samples", MakeWave({.frames = 0}), true},
        {"an 18-byte format", MakeWave({.fmtExtra = 2}), true},
        {"a LIST chunk before the format", MakeWave({.before = Chunk("LIST", "INFOab")}), true},
        {"a fact chunk before the samples", MakeWave({.between = Chunk("fact", Le32(220))}), true},
        {"bytes past the RIFF length", good + "JUNK", true},
        {"empty", std::string(), false},
        {"only RIFF", std::string("RIFF"), false},
        {"header cut inside the format", good.substr(0, 30), false},
        {"header cut before the samples", good.substr(0, 44), false},
        {"samples cut short", good.substr(0, good.size() - 2), false},
        {"RIFF length one past the file", MakeWave({.riffLengthDelta = 1}), false},
        {"samples past the RIFF length", MakeWave({.riffLengthDelta = -2}), false},
        {"sample block longer than the file", MakeWave({.dataLength = 100000}), false},
        {"sample block ends inside a sample", MakeWave({.dataExtra = 1}), false},
        {"stereo block ends inside a frame", MakeWave({.channels = 2, .dataExtra = 2}), false},
        {"format longer than the file",
         std::string("RIFF") + Le32(28) + "WAVE" + Chunk("fmt ", std::string(16, '\0'), 0x7FFFFFFF),
         false},
        {"not WAVE", std::string("RIFF") + Le32(4) + "AVI ", false},
        {"big-endian RIFX", "RIFX" + good.substr(4), false},
        {"ADPCM", MakeWave({.format = 2}), false},
        {"float", MakeWave({.format = 3, .bits = 32}), false},
        {"12 bits", MakeWave({.bits = 12}), false},
        {"no channels", MakeWave({.channels = 0}), false},
        {"rate 0", MakeWave({.rate = 0}), false},
        {"a 14-byte format", MakeWave({.fmtExtra = -2}), false},
        {"samples before the format", MakeWave({.before = Chunk("data", Le32(0))}), false},
        {"two formats", MakeWave({.between = Chunk("fmt ", good.substr(20, 16))}), false},
        {"odd chunk before the samples", MakeWave({.before = Chunk("LIST", "INFOa") + '\0'}),
         false},
        {"no samples chunk", std::string("RIFF") + Le32(4 + 24) + "WAVE" + good.substr(12, 24),
         false},
        {"no format chunk", std::string("RIFF") + Le32(12) + "WAVE" + Chunk("data", ""), false},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        CHECK(IsPlayableWave(r.bytes) == r.playable);
    }
}

// What the audio output pulls from a wave in memory: its sample block alone, whatever follows
// it, and 24-bit samples widened to 32 bits, whole samples to each read.
TEST_CASE("a player reads the sample block alone, 24-bit samples widened") {
    const auto wave = [](std::uint16_t bits, const std::string& data) {
        const std::string probe = MakeWave({.bits = bits, .frames = 0});
        const std::string body =
            probe.substr(8, probe.size() - 16) + Chunk("data", data) + Chunk("LIST", "INFOtext");
        return "RIFF" + Le32(static_cast<std::uint32_t>(body.size())) + body;
    };
    const struct {
        const char* name;
        std::string wave;
        std::string samples;
        int readSize;
    } rows[] = {
        {"16-bit, a chunk after the samples", wave(16, "\x01\x02\x03\x04\x05\x06"),
         "\x01\x02\x03\x04\x05\x06", 4},
        {"24-bit, widened", wave(24, "\x01\x02\x03\x04\x05\x06"),
         std::string("\0\x01\x02\x03\0\x04\x05\x06", 8), 6},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        const std::optional<WaveLayout> layout = ParsePlayableWave(r.wave);
        REQUIRE(layout);
        WaveSampleReader reader(*layout);
        CHECK(reader.available() == static_cast<std::int64_t>(r.samples.size()));
        std::string read;
        while (reader.available() > 0) {
            char part[16];
            const std::int64_t n = reader.read(r.wave, part, r.readSize);
            REQUIRE(n > 0);
            read.append(part, static_cast<std::size_t>(n));
        }
        CHECK(read == r.samples);
    }
}
