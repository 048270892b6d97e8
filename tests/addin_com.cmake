# Native tests of the add-in's portable COM rules and of wordhost's reading
# of the ribbon, in the shared test binary.
target_sources(tavlin_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/addin/com/registration_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/addin/com/com_error_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/addin/com/about_model_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/addin/com/ribbon_outline_test.cpp
  ${CMAKE_SOURCE_DIR}/tools/wordhost/ribbon_outline.cpp
)
target_link_libraries(tavlin_tests PRIVATE tavlin_addin_portable)
