# The layout catalogue QMKML.LLO, written at build time from the readable table into the program
# folder, so the executable finds it beside itself.
set(QM_CATALOGUE_FILE ${QM_PROGRAM_DIR}/QMKML.LLO)
add_custom_command(
  OUTPUT ${QM_CATALOGUE_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QM_PROGRAM_DIR}
  COMMAND qmk-mkcatalogue ${CMAKE_CURRENT_SOURCE_DIR}/label-stocks.tsv ${QM_CATALOGUE_FILE}
  DEPENDS qmk-mkcatalogue ${CMAKE_CURRENT_SOURCE_DIR}/label-stocks.tsv
  COMMENT "Writing the layout catalogue QMKML.LLO"
  VERBATIM)
add_custom_target(catalogue ALL DEPENDS ${QM_CATALOGUE_FILE})
