list(APPEND TORAN_CORE_SOURCES
    dialogs/PlacementRules.cpp dialogs/PlacementRules.h
)
list(APPEND TORAN_UI_SOURCES
    dialogs/Placement.cpp dialogs/Placement.h
    dialogs/Pomocnik.cpp dialogs/Pomocnik.h
    dialogs/Kopie.cpp dialogs/Kopie.h
    dialogs/SecondCopy.cpp dialogs/SecondCopy.h
    dialogs/AssistantStart.cpp dialogs/AssistantStart.h
    dialogs/Uvitani.cpp dialogs/Uvitani.h
    dialogs/Napoveda.cpp dialogs/Napoveda.h
    dialogs/OProgramu.cpp dialogs/OProgramu.h
)
