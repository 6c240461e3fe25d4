# qmktool, the command-line companion: model targets only.
add_executable(qmktool ${CMAKE_CURRENT_LIST_DIR}/qmktool.cpp)
target_link_libraries(qmktool PRIVATE sheet richtext)
qm_target_warnings(qmktool)
