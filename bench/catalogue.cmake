qm_add_bench(bench_catalogue SOURCES ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp LIBS sheet)
add_dependencies(bench_catalogue catalogue)
