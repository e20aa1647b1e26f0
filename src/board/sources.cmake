list(APPEND TORAN_CORE_SOURCES
    board/BoardRules.cpp board/BoardRules.h
)
list(APPEND TORAN_UI_SOURCES
)
