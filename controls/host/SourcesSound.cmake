target_sources(corvane_controls PRIVATE
    host/SoundFiles.cpp host/SoundFiles.h
    host/SoundPlayer.cpp host/SoundPlayer.h
    host/WaveFormat.cpp host/WaveFormat.h
)
