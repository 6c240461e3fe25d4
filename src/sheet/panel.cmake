# Screen geometry of the page (model), the page panel and the Select Layout dialog (widgets).
list(APPEND SHEET_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PageGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/PageGeometry.cpp)
list(APPEND SHEET_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QMKpanel.h
  ${CMAKE_CURRENT_LIST_DIR}/QMKpanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Slayout.h
  ${CMAKE_CURRENT_LIST_DIR}/Slayout.cpp)
