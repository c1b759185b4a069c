#include "controls/host/win32/SoundPlayer.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include "controls/host/win32/SoundFiles.h"
#include "controls/host/win32/WideText.h"

namespace corvane::win32 {

namespace {

// The one sound of the process: PlaySoundW reads SND_MEMORY bytes while it plays, so the
// bytes playing stay here until the next sound or the end has stopped it.
class Player {
public:
    ~Player() { stop(); }

    bool play(const WaveBytes& wave) {
        stop();  // before the old bytes may go
        m_playing = wave.bytes;
        const auto* data = reinterpret_cast<LPCWSTR>(m_playing->data());
        if (!PlaySoundW(data, nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT)) {
            m_playing.reset();
            return false;
        }
        return true;
    }

    void stop() {
        if (m_playing) {
            PlaySoundW(nullptr, nullptr, 0);
            m_playing.reset();
        }
    }

    SoundCache<WaveBytes>& cache() { return m_cache; }

private:
    std::shared_ptr<const std::string> m_playing;
    SoundCache<WaveBytes> m_cache;
};

Player& ThePlayer() {
    static Player player;
    return player;
}

}  // namespace

bool PlayWave(std::u16string_view file) {
    const std::wstring path = FindSoundFile(Wide(file), SoundFolders());
    if (path.empty()) {
        return false;
    }
    Player& player = ThePlayer();
    const std::optional<WaveBytes> wave = ReadPlayableWave(path, player.cache());
    return wave && wave->bytes && player.play(*wave);
}

void StopWave() {
    ThePlayer().stop();
}

}  // namespace corvane::win32
