# Cross build for 32-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-i686-posix). The
# programs are linked statically, so they need no DLL beyond those Windows ships; the test
# programs run under Wine, in a private 32-bit prefix beside the build folder's others.
set(CMAKE_SYSTEM_NAME Windows)
# mingw-w64-x86_64.cmake sets another triplet before it includes this file.
if(NOT DEFINED CONVERTER_MINGW_TRIPLET)
  set(CONVERTER_MINGW_TRIPLET i686-w64-mingw32)
endif()
set(MINGW_TRIPLET ${CONVERTER_MINGW_TRIPLET})
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${MINGW_TRIPLET})
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot (and any prefix given on top of it, such
# as the cross-built dependencies in CMAKE_PREFIX_PATH), never from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
