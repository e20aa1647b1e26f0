# The windows of the results: the result dialog.
list(APPEND TORAN_UI_SOURCES
    results/Vysledek.cpp results/Vysledek.h
)
