# True-size label text layout and painting (model), the editor and its formatting toolbar (widgets).
list(APPEND RICHTEXT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/LabelTextLayout.cpp)
list(APPEND RICHTEXT_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TWPRichText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TWPToolBar.cpp)
# The editor scales by the screen's pixels per inch, which the platform reads in one place.
# The target is made after this file is read, hence the deferred call.
cmake_language(DEFER CALL target_link_libraries richtext_ui PUBLIC platform)
