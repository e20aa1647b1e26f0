toran_add_test(test_settings SOURCES shell/tst_settings.cpp)
toran_add_test(test_soundcue SOURCES shell/tst_soundcue.cpp)
toran_add_test(test_instance SOURCES shell/tst_instance.cpp)
