toran_add_test(test_region_data SOURCES shaped/tst_regiondata.cpp LIBS toran_core)
toran_add_test(test_balloon_geometry SOURCES shaped/tst_balloongeometry.cpp LIBS toran_core)
