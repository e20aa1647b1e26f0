list(APPEND TORAN_CORE_SOURCES
)
list(APPEND TORAN_UI_SOURCES
    setup/Hra.cpp setup/Hra.h
)
