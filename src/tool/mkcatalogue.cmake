# The build-time writer of the shipped layout file (see data/catalogue.cmake).
qm_model_library(stocktable ${CMAKE_CURRENT_LIST_DIR}/StockTable.h ${CMAKE_CURRENT_LIST_DIR}/StockTable.cpp)
target_link_libraries(stocktable PUBLIC sheet)
add_executable(qmk-mkcatalogue ${CMAKE_CURRENT_LIST_DIR}/mkcatalogue.cpp)
target_link_libraries(qmk-mkcatalogue PRIVATE stocktable)
qm_target_warnings(qmk-mkcatalogue)
# A build tool, not part of the program folder.
set_target_properties(qmk-mkcatalogue PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/buildtools)
