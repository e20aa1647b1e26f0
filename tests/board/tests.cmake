toran_add_test(test_board_rules SOURCES board/tst_boardrules.cpp)
toran_add_test(test_play SOURCES board/tst_play.cpp LIBS toran_ui)
