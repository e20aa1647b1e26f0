list(APPEND TORAN_CORE_SOURCES
    dialogs/PlacementRules.cpp dialogs/PlacementRules.h
)
list(APPEND TORAN_UI_SOURCES
    dialogs/Placement.cpp dialogs/Placement.h
    dialogs/Pomocnik.cpp dialogs/Pomocnik.h
    dialogs/Kopie.cpp dialogs/Kopie.h
    dialogs/SecondCopy.cpp dialogs/SecondCopy.h
    dialogs/AssistantStart.cpp dialogs/AssistantStart.h
)
# The information and question windows list their files in windows.cmake.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/windows.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/windows.cmake)
endif()
