# The same sources built for 64-bit Windows: used to run the Windows tests on
# hosts whose kernel cannot execute 32-bit code (Wine's 32-bit loader fails there).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
