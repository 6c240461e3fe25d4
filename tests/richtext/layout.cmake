qm_add_test(tst_labeltextlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_labeltextlayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelCases.h LIBS richtext)
qm_add_test(tst_twprichtext SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_twprichtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelCases.h LIBS richtext_ui)
qm_add_test(tst_twptoolbar SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_twptoolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelCases.h LIBS richtext_ui)
