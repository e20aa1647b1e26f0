toran_add_test(test_board_rules SOURCES board/tst_boardrules.cpp)
