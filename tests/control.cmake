# Native tests of the control program's model, in the shared test binary.
target_sources(tavlin_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/control/boxes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control/error_trap_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control/layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control/settings_form_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control/switching_test.cpp
)
target_link_libraries(tavlin_tests PRIVATE tavlin_control)
