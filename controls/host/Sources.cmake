target_sources(corvane_controls PRIVATE
    host/ControlSite.cpp host/ControlSite.h
    host/FontValue.cpp host/FontValue.h
    host/Picture.cpp host/Picture.h
    host/PropertyBag.cpp host/PropertyBag.h
    host/SystemColors.cpp host/SystemColors.h
    host/UserControl.cpp host/UserControl.h
)
