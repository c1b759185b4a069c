target_sources(corvane_controls PRIVATE
    updown/UpDownField.cpp updown/UpDownField.h
    updown/UpDownKeys.cpp updown/UpDownKeys.h
    updown/UpDownLayout.cpp updown/UpDownLayout.h
    updown/UpDownRules.cpp updown/UpDownRules.h
    updown/ucUpDownBox.cpp updown/ucUpDownBox.h
)
