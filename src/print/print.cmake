qm_ui_library(print ${CMAKE_CURRENT_LIST_DIR}/PrinterAvailability.cpp ${CMAKE_CURRENT_LIST_DIR}/CurrentPrinter.cpp)
target_link_libraries(print PUBLIC sheet Qt6::PrintSupport)
