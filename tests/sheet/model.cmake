qm_add_test(tst_filer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_filer.cpp LIBS sheet)
qm_add_test(tst_layoutcatalogue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_layoutcatalogue.cpp LIBS sheet)
qm_add_test(tst_pagedocument SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pagedocument.cpp LIBS sheet)
qm_add_test(tst_layoutdescription SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_layoutdescription.cpp LIBS sheet)
