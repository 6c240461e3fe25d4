qm_add_test(tst_profilefile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_profilefile.cpp LIBS platform)
qm_add_test(tst_services SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_services.cpp LIBS platform_ui)
