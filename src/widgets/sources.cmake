list(APPEND TORAN_CORE_SOURCES
    widgets/Colors.h
)
list(APPEND TORAN_UI_SOURCES
    widgets/Shape.cpp widgets/Shape.h
    widgets/Panel.cpp widgets/Panel.h
)
