# Whole-process start-up: Quillmark to its first window with the catalogue loaded, against a
# bare Qt program with a main window, a menu and a toolbar. bench/run times both under Xvfb.
add_executable(startup_quillmark ${CMAKE_CURRENT_LIST_DIR}/startup_quillmark.cpp)
target_link_libraries(startup_quillmark PRIVATE app)
set_target_properties(startup_quillmark PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QM_PROGRAM_DIR})
qm_target_warnings(startup_quillmark)

add_executable(startup_bare ${CMAKE_CURRENT_LIST_DIR}/startup_bare.cpp)
target_link_libraries(startup_bare PRIVATE Qt6::Widgets)
set_target_properties(startup_bare PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
qm_target_warnings(startup_bare)
