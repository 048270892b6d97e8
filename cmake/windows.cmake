# Settings every Windows build shares; the folders declare the targets.
enable_language(RC)

# Word cannot load a DLL that needs the compiler's runtime DLLs: link them in.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600)

# Both builds' programs run here under Wine (the i686 ones in its WoW64
# form), so both make the host harness and run the Wine tests against their
# own deliverables. TAVLIN_WIN64 marks the build that packages the
# installation.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TAVLIN_WIN64 ON)
else()
  set(TAVLIN_WIN64 OFF)
endif()
set(TAVLIN_WINE_TESTS ON)
set(TAVLIN_ARCH ${CMAKE_SYSTEM_PROCESSOR})

# One installation holds both add-ins (the i686 one for 32-bit Word, the
# x86_64 one for 64-bit Word), so the build that packages it and runs its
# tests, the x86_64 one, takes the i686 deliverables from the i686 build
# folder. Building without them fails here, by name, rather than package or
# test half an installation.
set(TAVLIN_I686_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/mingw-i686 CACHE PATH
    "The i686 build whose programs the x86_64 build packages and tests")
set(TAVLIN_X86_64_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/mingw-x86_64 CACHE PATH
    "The x86_64 build whose add-in and installers the i686 build's tests use")
if(TAVLIN_WIN64)
  set(TAVLIN_I686_ADDIN ${TAVLIN_I686_BUILD_DIR}/addin/TavlinAddin.dll)
  set(TAVLIN_I686_CONTROL ${TAVLIN_I686_BUILD_DIR}/control/Tavlinar.exe)
  add_custom_target(tavlin_i686_deliverables ALL
    COMMAND ${CMAKE_COMMAND} "-DFILES=${TAVLIN_I686_ADDIN};${TAVLIN_I686_CONTROL}"
            -P ${CMAKE_SOURCE_DIR}/cmake/require_files.cmake
    COMMENT "Checking the i686 deliverables (build the mingw-i686 preset first)"
    VERBATIM)
endif()

# Anyone can rebuild a release and get the same files, byte for byte,
# wherever they build it and whenever: no link time in the PE header, and
# no source or build folder in what the compiler records.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>
                    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>)

# The time a format wants recorded (the type library, the packages' summary
# information) is the commit's, as SOURCE_DATE_EPOCH fixes it.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TAVLIN_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE TAVLIN_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT TAVLIN_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "Set SOURCE_DATE_EPOCH (the commit's time, seconds since 1970): "
                      "this is no git checkout to read it from")
endif()
# A new commit configures anew, and what records the time is made again:
# it depends on this file, rewritten only when the time changes.
execute_process(COMMAND git rev-parse --path-format=absolute --git-path logs/HEAD
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  OUTPUT_VARIABLE tavlin_git_head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(tavlin_git_head_log AND EXISTS ${tavlin_git_head_log})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tavlin_git_head_log})
endif()
set(TAVLIN_SOURCE_DATE_EPOCH_FILE ${CMAKE_BINARY_DIR}/source-date-epoch)
file(CONFIGURE OUTPUT ${TAVLIN_SOURCE_DATE_EPOCH_FILE} CONTENT "${TAVLIN_SOURCE_DATE_EPOCH}\n")

include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)
