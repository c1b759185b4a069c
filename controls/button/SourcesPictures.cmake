target_sources(corvane_controls PRIVATE
    button/ButtonInput.cpp button/ButtonInput.h
    button/ButtonInputEvents.cpp button/ButtonInputEvents.h
    button/ButtonInputKeys.cpp button/ButtonInputKeys.h
    button/ButtonLink.cpp button/ButtonLink.h
    button/PictureDraw.cpp button/PictureDraw.h
)
