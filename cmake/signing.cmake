# Every Windows file Tavlin ships is signed (Authenticode, SHA-256) when a
# signing identity is configured; both Windows builds take it from the same
# environment variables at configure time, and a cache variable of the same
# name overrides one (-DTAVLIN_SIGN_KEY= builds unsigned):
#   TAVLIN_SIGN_KEY            a PKCS#11 URI (pkcs11:token=...;object=...;type=private)
#                              or the path of a PKCS#12 file
#   TAVLIN_SIGN_CERT           the certificate chain, PEM, signing certificate
#                              first (for a PKCS#11 key)
#   TAVLIN_SIGN_PKCS11_MODULE  the token's PKCS#11 module (for a PKCS#11 key)
#   TAVLIN_SIGN_PIN_FILE       the file holding the PIN or the PKCS#12 password
#   TAVLIN_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamping service (optional)
#   TAVLIN_SIGN_SIGNATURES     no key: a folder of signatures taken from a
#                              release, attached instead (verify-release.sh)
# It defines TAVLIN_SIGNING, TAVLIN_SIGN (the command that signs FILE NAME
# in place; see scripts/sign.sh), TAVLIN_SIGN_CONFIG and
# tavlin_sign_target(TARGET NAME).
# TAVLIN_TEST_CA, taken the same way, is the CA the signing tests verify
# against (scripts/test-identity.sh); without it they are not run.
set(tavlin_sign_inputs TAVLIN_SIGN_KEY TAVLIN_SIGN_CERT TAVLIN_SIGN_PKCS11_MODULE
    TAVLIN_SIGN_PIN_FILE TAVLIN_SIGN_TIMESTAMP_URL TAVLIN_SIGN_SIGNATURES TAVLIN_TEST_CA)
foreach(v IN LISTS tavlin_sign_inputs)
  if(NOT DEFINED CACHE{${v}})
    set(${v} "$ENV{${v}}")
  endif()
endforeach()

set(TAVLIN_SIGN_CONFIG ${CMAKE_BINARY_DIR}/signing.conf)
set(TAVLIN_SIGN_SCRIPT ${CMAKE_SOURCE_DIR}/scripts/sign.sh)

# The name and address a signature shows beside the publisher's certificate.
file(READ ${CMAKE_SOURCE_DIR}/common/product.h tavlin_product_h)
if(NOT tavlin_product_h MATCHES "kMakerWebAddress = \"([^\"]+)\"")
  message(FATAL_ERROR "No kMakerWebAddress in common/product.h")
endif()
set(tavlin_sign_url ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/common/product.h)

function(tavlin_sign_require_file what path)
  if(NOT path OR NOT EXISTS "${path}")
    message(FATAL_ERROR "Signing: ${what} '${path}' does not exist")
  endif()
endfunction()

set(TAVLIN_SIGNING ON)
if(TAVLIN_SIGN_SIGNATURES)
  if(NOT IS_DIRECTORY "${TAVLIN_SIGN_SIGNATURES}")
    message(FATAL_ERROR "Signing: TAVLIN_SIGN_SIGNATURES '${TAVLIN_SIGN_SIGNATURES}' is no folder")
  endif()
  set(tavlin_sign_conf "mode=signatures\nsignatures=${TAVLIN_SIGN_SIGNATURES}\n")
  message(STATUS "Signing: attaching the signatures in ${TAVLIN_SIGN_SIGNATURES}")
elseif(TAVLIN_SIGN_KEY)
  if(TAVLIN_SIGN_PIN_FILE)
    tavlin_sign_require_file("TAVLIN_SIGN_PIN_FILE" "${TAVLIN_SIGN_PIN_FILE}")
  endif()
  if(TAVLIN_SIGN_KEY MATCHES "^pkcs11:")
    tavlin_sign_require_file("TAVLIN_SIGN_CERT" "${TAVLIN_SIGN_CERT}")
    tavlin_sign_require_file("TAVLIN_SIGN_PKCS11_MODULE" "${TAVLIN_SIGN_PKCS11_MODULE}")
    # osslsigncode reaches the token through OpenSSL's PKCS#11 engine
    # (libengine-pkcs11-openssl), which it loads by name from OpenSSL's own
    # engines folder: osslsigncode 2.5 cannot load it by path.
    execute_process(COMMAND openssl version -e OUTPUT_VARIABLE engines_line ERROR_QUIET)
    string(REGEX REPLACE "^ENGINESDIR: \"([^\"]*)\".*" "\\1" engines_dir "${engines_line}")
    if(NOT EXISTS "${engines_dir}/pkcs11.so")
      message(FATAL_ERROR "Signing: no OpenSSL PKCS#11 engine (pkcs11.so) in '${engines_dir}': "
                          "install libengine-pkcs11-openssl")
    endif()
    set(tavlin_sign_from "the PKCS#11 key ${TAVLIN_SIGN_KEY}")
  else()
    tavlin_sign_require_file("TAVLIN_SIGN_KEY (a PKCS#12 file)" "${TAVLIN_SIGN_KEY}")
    set(tavlin_sign_from "${TAVLIN_SIGN_KEY}")
  endif()
  find_program(TAVLIN_OSSLSIGNCODE osslsigncode REQUIRED)
  set(tavlin_sign_conf "mode=key\nkey=${TAVLIN_SIGN_KEY}\ncert=${TAVLIN_SIGN_CERT}\n")
  string(APPEND tavlin_sign_conf "module=${TAVLIN_SIGN_PKCS11_MODULE}\n")
  string(APPEND tavlin_sign_conf "pin_file=${TAVLIN_SIGN_PIN_FILE}\n")
  string(APPEND tavlin_sign_conf "timestamp_url=${TAVLIN_SIGN_TIMESTAMP_URL}\n")
  string(APPEND tavlin_sign_conf "description=${PROJECT_NAME}\nurl=${tavlin_sign_url}\n")
  # SoftHSM2 finds its tokens through the environment; a build started later
  # from another shell must find the same ones.
  string(APPEND tavlin_sign_conf "softhsm2_conf=$ENV{SOFTHSM2_CONF}\n")
  set(tavlin_stamped)
  if(TAVLIN_SIGN_TIMESTAMP_URL)
    set(tavlin_stamped ", time-stamped by ${TAVLIN_SIGN_TIMESTAMP_URL}")
  endif()
  message(STATUS "Signing: every shipped Windows file, with ${tavlin_sign_from}${tavlin_stamped}")
else()
  set(TAVLIN_SIGNING OFF)
  set(tavlin_sign_conf "mode=none\n")
  message(STATUS "Signing: no identity configured (TAVLIN_SIGN_KEY): the Windows files are not signed")
endif()
# Rewritten only when it changes, so a changed identity signs anew.
file(CONFIGURE OUTPUT ${TAVLIN_SIGN_CONFIG} CONTENT "${tavlin_sign_conf}")

if(TAVLIN_SIGNING)
  find_program(TAVLIN_BASH bash REQUIRED)
  set(TAVLIN_SIGN ${TAVLIN_BASH} ${TAVLIN_SIGN_SCRIPT} ${TAVLIN_SIGN_CONFIG})
else()
  set(TAVLIN_SIGN)
endif()

# tavlin_sign_target(TARGET NAME): the target's file is signed as it is
# linked, so everything that packs it packs it signed.
function(tavlin_sign_target target name)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${TAVLIN_SIGN_CONFIG} ${TAVLIN_SIGN_SCRIPT})
  if(TAVLIN_SIGNING)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${TAVLIN_SIGN} $<TARGET_FILE:${target}> ${name}
      COMMENT "Signing ${name}"
      VERBATIM)
  endif()
endfunction()
