include_guard(GLOBAL)
# The windows of the results: the result dialog, the viewer and the clear
# question.
list(APPEND TORAN_UI_SOURCES
    results/Vysledek.cpp results/Vysledek.h
    results/Tabulka.cpp results/Tabulka.h
    results/Vymazat.cpp results/Vymazat.h
)
