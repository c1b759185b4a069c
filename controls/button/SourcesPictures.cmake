target_sources(corvane_controls PRIVATE
    button/PictureDraw.cpp button/PictureDraw.h
)
