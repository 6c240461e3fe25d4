# The help file QMK.HLP beside the program, built from the topic files in help/.
file(GLOB QM_HELP_TOPICS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/help/*.html)
add_custom_command(
  OUTPUT ${QM_PROGRAM_DIR}/QMK.HLP
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_CURRENT_LIST_DIR}/help -DOUTPUT=${QM_PROGRAM_DIR}/QMK.HLP
          -P ${CMAKE_CURRENT_LIST_DIR}/help/BuildHelp.cmake
  DEPENDS ${QM_HELP_TOPICS} ${CMAKE_CURRENT_LIST_DIR}/help/BuildHelp.cmake
  COMMENT "Building QMK.HLP")
add_custom_target(help_file ALL DEPENDS ${QM_PROGRAM_DIR}/QMK.HLP)
