qm_add_bench(bench_panel SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_panel.cpp LIBS sheet_ui)
