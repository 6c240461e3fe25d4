add_library(print STATIC ${CMAKE_CURRENT_LIST_DIR}/PrinterAvailability.cpp ${CMAKE_CURRENT_LIST_DIR}/CurrentPrinter.cpp)
target_include_directories(print PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(print PUBLIC sheet Qt6::PrintSupport)
qm_target_warnings(print)
