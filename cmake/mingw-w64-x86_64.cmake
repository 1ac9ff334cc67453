# The same cross build for 64-bit Windows (Debian's g++-mingw-w64-x86-64-posix). Players get the
# 32-bit program; this one runs the Windows suite under 64-bit Wine on a machine whose kernel
# cannot run 32-bit programs.
set(CONVERTER_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-i686.cmake)
