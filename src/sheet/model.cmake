# The page model and its file formats (Core and Gui only).
list(APPEND SHEET_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FilerError.h
  ${CMAKE_CURRENT_LIST_DIR}/Filer.h
  ${CMAKE_CURRENT_LIST_DIR}/FilerWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FilerReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComponentRecord.h
  ${CMAKE_CURRENT_LIST_DIR}/RtfStorageComponent.h
  ${CMAKE_CURRENT_LIST_DIR}/RtfStorageComponent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutRecord.h
  ${CMAKE_CURRENT_LIST_DIR}/LayoutRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutCatalogue.h
  ${CMAKE_CURRENT_LIST_DIR}/LayoutCatalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutDescription.h
  ${CMAKE_CURRENT_LIST_DIR}/LayoutDescription.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageModel.h
  ${CMAKE_CURRENT_LIST_DIR}/PageModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageDocument.cpp)
