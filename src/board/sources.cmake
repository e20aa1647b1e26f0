list(APPEND TORAN_CORE_SOURCES
    board/BoardRules.cpp board/BoardRules.h
)
list(APPEND TORAN_UI_SOURCES
    board/Plocha.cpp board/Plocha.h
    board/Moves.cpp board/Moves.h
)
