qm_add_bench(bench_keystroke SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_keystroke.cpp LIBS app Qt6::Test)
