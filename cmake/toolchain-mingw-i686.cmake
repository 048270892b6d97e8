# Windows i686: the build every 32-bit Word loads (every Word 2007, and
# 32-bit Word 2010 to Microsoft 365).
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

# Floating point on the x87 unit, as the compiler's default, chosen on
# purpose: Word 2007 runs on processors without SSE2 (Pentium III, Athlon
# XP), which -mfpmath=sse would shut out. Excess precision cannot move a
# result here: the settings' conversions parse with the runtime's from_chars
# (built once, whatever our flags) and do only exact steps themselves
# (trunc, fabs, a whole part's difference, nearbyint, comparisons). Tried on
# 500,000 generated texts (four seeds): x87, SSE2 and the x86_64 build give
# the same result for every text, and wine.convert.oleaut32 in this build
# checks that against the x86_64 build's on each run.
set(CMAKE_CXX_FLAGS_INIT "-march=pentiumpro -mfpmath=387")
