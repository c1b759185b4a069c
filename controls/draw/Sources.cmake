target_sources(corvane_controls PRIVATE
    draw/Draw.cpp draw/Draw.h
    draw/DrawText.cpp draw/DrawText.h
    draw/Rect.h
)
