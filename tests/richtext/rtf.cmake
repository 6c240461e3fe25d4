qm_add_test(tst_rtf SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtf.cpp ${CMAKE_CURRENT_LIST_DIR}/RtfTestSupport.h
  LIBS richtext)
qm_add_test(tst_rtf_fixtures SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtf_fixtures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RtfTestSupport.h LIBS richtext)
qm_add_test(tst_rtfstorage SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfstorage.cpp LIBS richtext)
