# The Windows side of the build: the deliverables, the harnesses that stand
# in for Word and drive windows, and the tests that run them under Wine.
enable_language(RC)
enable_testing()

# Word cannot load a DLL that needs the compiler's runtime DLLs: link them in.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TAVLIN_WIN64 ON)
else()
  set(TAVLIN_WIN64 OFF)
endif()

# Windows pieces of common/: the registry store, window helpers, RAII types.
add_library(tavlin_common_win STATIC
  common/settings_store_win.cpp
  common/window_helpers_win.cpp
  common/text_win.cpp
)
target_link_libraries(tavlin_common_win PUBLIC tavlin_common advapi32 shell32 user32)

# Tests under Wine run only where the binaries can run: the x86_64 build.
set(TAVLIN_WINE_TESTS ${TAVLIN_WIN64})
if(TAVLIN_WINE_TESTS)
  # One prefix is made per build folder; each test copies it.
  add_test(NAME wine.prefix
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh ${CMAKE_BINARY_DIR}/wine-template)
  set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine_prefix LABELS wine TIMEOUT 180)
endif()

# The host harness only ever runs under Wine, so only the build that runs
# there makes it.
set(tavlin_parts addin control installer tests/wine)
if(TAVLIN_WINE_TESTS)
  list(INSERT tavlin_parts 2 tools/wordhost)
endif()
foreach(part ${tavlin_parts})
  if(EXISTS ${CMAKE_SOURCE_DIR}/${part}/CMakeLists.txt)
    add_subdirectory(${part})
  endif()
endforeach()

# One installation holds both add-ins (the i686 one for 32-bit Word, the
# x86_64 one for 64-bit Word), so the build that packages it and runs its
# tests, the x86_64 one, takes the i686 deliverables from the i686 build
# folder. Building without them fails here, by name, rather than package or
# test half an installation.
if(TAVLIN_WIN64)
  set(TAVLIN_I686_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/mingw-i686 CACHE PATH
      "The i686 build whose TavlinAddin.dll and Tavlinar.exe this build packages and tests")
  set(TAVLIN_I686_ADDIN ${TAVLIN_I686_BUILD_DIR}/addin/TavlinAddin.dll)
  set(TAVLIN_I686_CONTROL ${TAVLIN_I686_BUILD_DIR}/control/Tavlinar.exe)
  add_custom_target(tavlin_i686_deliverables ALL
    COMMAND ${CMAKE_COMMAND} "-DFILES=${TAVLIN_I686_ADDIN};${TAVLIN_I686_CONTROL}"
            -P ${CMAKE_SOURCE_DIR}/cmake/require_files.cmake
    COMMENT "Checking the i686 deliverables (build the mingw-i686 preset first)"
    VERBATIM)
endif()
