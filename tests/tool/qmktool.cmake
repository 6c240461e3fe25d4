qm_add_test(tst_qmktool SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qmktool.cpp LIBS Qt6::Core)
add_dependencies(tst_qmktool qmktool catalogue)
qm_add_test(tst_catalogue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_catalogue.cpp LIBS stocktable)
add_dependencies(tst_catalogue catalogue)
