qm_ui_library(app
  ${CMAKE_CURRENT_LIST_DIR}/Main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelEditing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PreferencesBinding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Icons.cpp)
target_link_libraries(app PUBLIC sheet_ui richtext_ui platform_ui print app_prefs)

add_executable(quillmark ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(quillmark PRIVATE app)
qm_target_warnings(quillmark)
# The program folder holds the catalogue and the help file beside the executable.
add_dependencies(quillmark catalogue help_file)
