# The real main window, driven offscreen against a temporary program folder.
foreach(unit mainwindow labelediting documentcommands startup robustness)
  qm_add_test(tst_${unit} SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_${unit}.cpp LIBS app)
  # The fixture copies the built catalogue into its temporary program folder.
  add_dependencies(tst_${unit} catalogue help_file)
endforeach()
# The start-up test runs copies of the real executable.
add_dependencies(tst_startup quillmark)
