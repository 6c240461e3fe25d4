# The preferences file logic, apart from the main window so it can be tested on its own.
qm_ui_library(app_prefs ${CMAKE_CURRENT_LIST_DIR}/Preferences.cpp)
target_link_libraries(app_prefs PUBLIC platform_ui)
