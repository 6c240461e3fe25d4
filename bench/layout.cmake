# Keystroke-to-storage in the label editor and the layout and painting of one label's text.
qm_add_bench(bench_labeltext SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_labeltext.cpp LIBS richtext_ui)
