qm_add_test(tst_profilefile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_profilefile.cpp LIBS platform)
qm_add_test(tst_services SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_services.cpp LIBS platform_ui)
qm_add_test(tst_mrufilelist SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mrufilelist.cpp LIBS platform_ui)
qm_add_test(tst_singleinstance SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_singleinstance.cpp LIBS platform_ui)
