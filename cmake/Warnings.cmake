# Strict warnings for our own targets only; Qt's headers come in as system headers.
function(qm_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(QM_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A model library: Qt Core and Gui only, so a widget header cannot even be included.
function(qm_model_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${target} PUBLIC Qt6::Core Qt6::Gui)
  qm_target_warnings(${target})
endfunction()

# A widget library for the same folder.
function(qm_ui_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${target} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
  qm_target_warnings(${target})
endfunction()
