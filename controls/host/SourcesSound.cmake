target_sources(corvane_controls PRIVATE
    host/SoundPlayer.cpp host/SoundPlayer.h
)
