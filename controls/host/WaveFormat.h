#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

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
bool IsPlayableWave(QByteArrayView bytes);

// What a player needs of a wave that passes that check: its format, and where its samples are.
struct WaveLayout {
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;  // a sample: 8 (unsigned), 16, 24 or 32 (signed)
    qint64 dataOffset = 0;
    qint64 dataLength = 0;
};
// The layout of `bytes` when IsPlayableWave(bytes); otherwise nothing.
std::optional<WaveLayout> ParsePlayableWave(QByteArrayView bytes);

}  // namespace corvane
