# True-size label text layout and painting (model), the editor and its formatting toolbar (widgets).
list(APPEND RICHTEXT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/LabelTextLayout.cpp)
