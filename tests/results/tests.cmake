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
