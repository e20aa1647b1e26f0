# Every file the picture tool writes (paths below its output folder). Each
# picture family lists its files in a <family>.images.cmake beside this one
# and registers its painters with ArtFile objects in tools/art. Pictures in
# TORAN_ART_SCALED_IMAGES are written a second time at twice the resolution,
# named with "@2x" before the extension.
set(TORAN_ART_IMAGES)
set(TORAN_ART_SCALED_IMAGES)
file(GLOB TORAN_ART_LISTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.images.cmake)
foreach(list_file ${TORAN_ART_LISTS})
    include(${list_file})
endforeach()
foreach(image ${TORAN_ART_SCALED_IMAGES})
    string(REGEX REPLACE "\\.png$" "@2x.png" sharp ${image})
    list(APPEND TORAN_ART_IMAGES ${image} ${sharp})
endforeach()
