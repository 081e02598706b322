# The thread model of the MinGW-w64 compilers: posix (the default; GoogleTest
# needs std::mutex) or win32 (the release DLLs, which need no threads of
# their own: no winpthreads in them).
if(NOT VTL_MINGW_THREADS)
  set(VTL_MINGW_THREADS posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VTL_MINGW_THREADS)
set(CMAKE_C_COMPILER   ${MINGW_TRIPLET}-gcc-${VTL_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-${VTL_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLET}-windres)
set(WIDL               ${MINGW_TRIPLET}-widl)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The component and its programs depend on system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# The release DLLs are built as MinSizeRel (the package command): optimised
# for size, each function and datum in a section of its own so that the
# linker drops what nothing calls, and stripped. Measured on the i686 DLL
# (issue 17): -O2 with these gives about 590 KB, -Os about 484 KB.
set(CMAKE_C_FLAGS_MINSIZEREL_INIT "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_SHARED_LINKER_FLAGS_MINSIZEREL_INIT "-s -Wl,--gc-sections")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s -Wl,--gc-sections")
