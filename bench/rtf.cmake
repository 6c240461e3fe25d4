# RTF writer and reader on a typical label (targets: write < 20 us, read < 40 us).
qm_add_bench(bench_rtf SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_rtf.cpp LIBS richtext)
