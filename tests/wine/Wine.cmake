# The Windows build's suites run under Wine: scripts/windows.sh sets
# CMAKE_CROSSCOMPILING_EMULATOR to with-wine.sh, so that each CTest entry
# runs "with-wine.sh suite.exe ClassName". One Wine prefix serves the whole
# run: the first entry makes it, the last ends its programs and removes it.
set(wine ${CMAKE_CURRENT_LIST_DIR}/with-wine.sh)
get_property(suites DIRECTORY PROPERTY TESTS)
add_test(NAME wine_prefix_start COMMAND ${wine} --start)
add_test(NAME wine_prefix_stop COMMAND ${wine} --stop)
set_tests_properties(wine_prefix_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine)
# The programs load Qt's and MinGW's libraries from where they lie.
set(dlls $<TARGET_FILE_DIR:Qt6::Core>)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(found ${found} DIRECTORY REALPATH)
    list(APPEND dlls ${found})
endforeach()
# Wine shows this machine's root as drive Z:; "|" stands between the
# folders, since ";" would split the test's environment.
list(TRANSFORM dlls PREPEND Z:)
list(JOIN dlls "|" dlls)
set_property(TEST wine_prefix_start wine_prefix_stop ${suites} APPEND PROPERTY ENVIRONMENT
    TORAN_WINE_PREFIX=${CMAKE_CURRENT_BINARY_DIR}/wine-prefix TORAN_WINE_DLLS=${dlls})
set_property(TEST ${suites} APPEND PROPERTY FIXTURES_REQUIRED wine)
set_property(TEST ${suites} APPEND PROPERTY ENVIRONMENT TORAN_WINE_QTEST=1)

# The game itself, from the portable zip and from the installer that
# scripts/windows.sh lays in TORAN_WINDOWS_PACKAGES, each on an X server
# with a window manager, as a player's desktop has one, and in a Wine
# prefix of its own (game_under_wine.py).
set(TORAN_WINDOWS_PACKAGES "" CACHE PATH "Where scripts/windows.sh lays the zip and the installer")
if(TORAN_WINDOWS_PACKAGES)
    set(game ${CMAKE_CURRENT_LIST_DIR}/../support/with-xvfb.sh --openbox /usr/bin/python3
        ${CMAKE_CURRENT_LIST_DIR}/game_under_wine.py)
    add_test(NAME test_wine_game_zip
        COMMAND ${game} --zip ${TORAN_WINDOWS_PACKAGES}/Toran2000-${PROJECT_VERSION}-win64.zip)
    add_test(NAME test_wine_game_setup
        COMMAND ${game} --setup ${TORAN_WINDOWS_PACKAGES}/Toran2000-${PROJECT_VERSION}-setup.exe)
    set_tests_properties(test_wine_game_zip test_wine_game_setup PROPERTIES LABELS wine_game TIMEOUT 300)
endif()
