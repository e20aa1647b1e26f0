toran_add_test(test_placement_rules SOURCES dialogs/tst_placementrules.cpp LIBS toran_core)
toran_add_test(test_pomocnik SOURCES dialogs/tst_pomocnik.cpp LIBS toran_ui)
toran_add_test(test_kopie SOURCES dialogs/tst_kopie.cpp LIBS toran_ui)
