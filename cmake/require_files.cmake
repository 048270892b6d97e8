# cmake -DFILES="a;b" -P require_files.cmake: fails, naming them, when any of
# the files is missing.
foreach(f ${FILES})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "${f} is missing: build the mingw-i686 preset first (cmake --preset mingw-i686 && cmake --build --preset mingw-i686)")
  endif()
endforeach()
