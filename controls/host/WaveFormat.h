#pragma once

#include <QByteArrayView>

namespace corvane {

// Whether `bytes` is a wave file that the sound player loads to its end. Qt Multimedia's
// loader never finishes a file that ends before its header says it should (an empty file,
// a bare "RIFF", a cut-off header or sample block, samples that stop inside a sample), and
// the next new sound then blocks the UI thread for good. So only this is handed over:
// - "RIFF", a size the file holds in full, "WAVE";
// - then chunks, each within that size, up to the first "data" chunk: exactly one "fmt "
//   chunk before it, of uncompressed PCM (format 1) with 1 or more channels, a sample rate
//   above 0 and 8, 16, 24 or 32 bits a sample;
// - a "data" chunk whose length is a whole number of frames (channels x bytes a sample).
// Chunks before "data" must have even lengths: readers disagree about the pad byte after an
// odd one, and might then find another "data" than this check did.
bool IsPlayableWave(QByteArrayView bytes);

}  // namespace corvane
