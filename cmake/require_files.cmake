# cmake -DFILES="a;b" [-DPRESET=name] -P require_files.cmake: fails, naming
# them, when any of the files is missing.
if(NOT PRESET)
  set(PRESET mingw-i686)
endif()
foreach(f ${FILES})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "${f} is missing: build the ${PRESET} preset first (cmake --preset ${PRESET} && cmake --build --preset ${PRESET})")
  endif()
endforeach()
