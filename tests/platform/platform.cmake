qm_add_test(tst_profilefile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_profilefile.cpp LIBS platform)
