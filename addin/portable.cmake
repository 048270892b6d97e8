# The add-in's portable rules: what registration writes and how it falls
# back to per-user classes, how errors reach COM callers, and the About
# window's texts and registry parsing. Built natively for the unit tests
# and linked into the DLL.
add_library(tavlin_addin_portable STATIC
  ${CMAKE_CURRENT_LIST_DIR}/com/registration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/com/com_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about/about_model.cpp
)
target_link_libraries(tavlin_addin_portable PUBLIC tavlin_common)
