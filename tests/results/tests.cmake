# Results table store, the verdict and its storing, interop, crash and fuzz tests.
toran_add_test(test_results_table SOURCES results/tst_resultstable.cpp results/ResultsFixtures.h)
toran_add_test(test_results_verdict SOURCES results/tst_verdict.cpp results/ResultsFixtures.h)
toran_add_test(test_results_interop SOURCES results/tst_interop.cpp results/ResultsFixtures.h)

# A separate writer process for the kill and two-copies tests.
add_executable(results_writer results/results_writer.cpp)
target_link_libraries(results_writer PRIVATE toran_core)
toran_add_test(test_results_processes SOURCES results/tst_processes.cpp results/ResultsFixtures.h TIMEOUT 180)
target_compile_definitions(test_results_processes PRIVATE RESULTS_WRITER_PATH="$<TARGET_FILE:results_writer>")
add_dependencies(test_results_processes results_writer)

# The table reader under libFuzzer with AddressSanitizer and UBSan, run for
# a bounded time. Built with clang directly on the reader's sources, so that
# the main build may use any compiler.
find_program(TORAN_CLANGXX NAMES clang++ clang++-14)
if(TORAN_CLANGXX AND UNIX)
    set(fuzz_bin ${CMAKE_CURRENT_BINARY_DIR}/results_fuzz_table)
    set(fuzz_sources ${CMAKE_CURRENT_SOURCE_DIR}/results/fuzz_table.cpp
        ${PROJECT_SOURCE_DIR}/src/results/TableFile.cpp ${PROJECT_SOURCE_DIR}/src/results/Cp1250.cpp)
    add_custom_command(OUTPUT ${fuzz_bin}
        COMMAND ${TORAN_CLANGXX} -std=c++17 -g -O1 -fPIC
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -DQT_CORE_LIB -DQT_NO_DEBUG -I${PROJECT_SOURCE_DIR}/src
            "-I$<JOIN:$<TARGET_PROPERTY:Qt6::Core,INTERFACE_INCLUDE_DIRECTORIES>,;-I>"
            -I${SHAPELIB_INCLUDE_DIR}
            ${fuzz_sources} -o ${fuzz_bin}
            $<TARGET_FILE:Qt6::Core> ${SHAPELIB_LIBRARY}
        DEPENDS ${fuzz_sources} ${PROJECT_SOURCE_DIR}/src/results/TableFile.h
            ${PROJECT_SOURCE_DIR}/src/shell/AppError.h
        COMMAND_EXPAND_LISTS
        COMMENT "Building the table reader's fuzz target with clang")
    add_custom_target(results_fuzz_table ALL DEPENDS ${fuzz_bin})

    add_executable(results_fuzz_seeds results/fuzz_seeds.cpp)
    target_link_libraries(results_fuzz_seeds PRIVATE toran_core)
    set(fuzz_seeds ${CMAKE_CURRENT_BINARY_DIR}/results_fuzz/seeds)
    set(fuzz_corpus ${CMAKE_CURRENT_BINARY_DIR}/results_fuzz/corpus)
    add_test(NAME test_results_fuzz_seeds COMMAND results_fuzz_seeds ${fuzz_seeds} ${fuzz_corpus})
    set_tests_properties(test_results_fuzz_seeds PROPERTIES FIXTURES_SETUP results_fuzz)
    add_test(NAME test_results_fuzz
        COMMAND ${fuzz_bin} -max_total_time=20 -timeout=5 -rss_limit_mb=2048 -max_len=8192
            -print_final_stats=1 ${fuzz_corpus} ${fuzz_seeds})
    set_tests_properties(test_results_fuzz PROPERTIES FIXTURES_REQUIRED results_fuzz TIMEOUT 120)
else()
    message(STATUS "clang++ not found (or not a Unix build): the table reader's fuzz test is not added")
endif()

# The install step delivers the empty template and, only where none exists,
# an empty live table.
add_test(NAME test_results_install
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR}
        -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/results_install -DEMPTY=${PROJECT_BINARY_DIR}/results/Toran.dbf
        -P ${CMAKE_CURRENT_SOURCE_DIR}/results/check_install.cmake)
