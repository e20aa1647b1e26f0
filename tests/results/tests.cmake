# Results table store, the verdict and its storing, interop, crash and fuzz tests.
toran_add_test(test_results_table SOURCES results/tst_resultstable.cpp results/ResultsFixtures.h)
toran_add_test(test_results_verdict SOURCES results/tst_verdict.cpp results/ResultsFixtures.h)
toran_add_test(test_results_interop SOURCES results/tst_interop.cpp results/ResultsFixtures.h)
