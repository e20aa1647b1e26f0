# Windows cut to a picture's outline or to a speech balloon.
list(APPEND TORAN_CORE_SOURCES
    widgets/RegionData.cpp widgets/RegionData.h
    widgets/BalloonGeometry.cpp widgets/BalloonGeometry.h
)
list(APPEND TORAN_UI_SOURCES
    widgets/CoolForm.cpp widgets/CoolForm.h
    widgets/formshape.cpp widgets/formshape.h
)
