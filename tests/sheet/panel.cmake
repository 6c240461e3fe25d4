qm_add_test(tst_pagegeometry SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pagegeometry.cpp LIBS sheet)
qm_add_test(tst_qmkpanel SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qmkpanel.cpp LIBS sheet_ui)
qm_add_test(tst_slayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_slayout.cpp LIBS sheet_ui)
qm_add_test(tst_qmkpanel_hidpi SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qmkpanel_hidpi.cpp LIBS sheet_ui)
