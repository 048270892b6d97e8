# The control program's portable model: the boxes and their rules, the
# error trap, the window's handlers and the switching sequence. Linked by
# Tavlinar.exe and by the native tests.
add_library(tavlin_control STATIC
  ${CMAKE_CURRENT_LIST_DIR}/boxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_trap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/switching.cpp
)
target_link_libraries(tavlin_control PUBLIC tavlin_common)
