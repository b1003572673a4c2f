# The same sources for 64-bit Windows: what the tests run under Wine on machines whose kernel
# cannot execute the 32-bit Wine loader.
set(QV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
