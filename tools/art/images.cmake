# Every file the picture tool writes (paths below its output folder). Each
# picture family lists its files in a <family>.images.cmake beside this one
# and registers its painters with ArtFile objects in tools/art.
set(TORAN_ART_IMAGES)
file(GLOB TORAN_ART_LISTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.images.cmake)
foreach(list_file ${TORAN_ART_LISTS})
    include(${list_file})
endforeach()
