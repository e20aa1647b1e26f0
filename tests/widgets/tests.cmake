toran_add_test(test_gradientmath SOURCES widgets/tst_gradientmath.cpp)
toran_add_test(test_gradtext SOURCES widgets/tst_gradtext.cpp widgets/WidgetShots.h LIBS toran_ui)
toran_add_test(test_gradprogress SOURCES widgets/tst_gradprogress.cpp widgets/WidgetShots.h LIBS toran_ui)
toran_add_test(test_officecontrols SOURCES widgets/tst_officecontrols.cpp widgets/WidgetShots.h LIBS toran_ui)
