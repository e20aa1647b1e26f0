# Basic shapes and panels here; the custom controls and the shaped windows
# list their files in controls.cmake and shaped.cmake.
list(APPEND TORAN_CORE_SOURCES
    widgets/Colors.h
)
list(APPEND TORAN_UI_SOURCES
    widgets/Shape.cpp widgets/Shape.h
    widgets/Panel.cpp widgets/Panel.h
    widgets/TextLabel.cpp widgets/TextLabel.h
)
foreach(part controls shaped)
    if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
        include(${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
    endif()
endforeach()
