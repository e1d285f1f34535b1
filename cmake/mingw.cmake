# Cross toolchain for Windows through mingw-w64. SYSREPORT_ARCH picks the
# target: i686 (the product, 32-bit) or x86_64 (for test machines whose
# kernel cannot run 32-bit Linux programs, and so no 32-bit Wine).
if(NOT SYSREPORT_ARCH)
    set(SYSREPORT_ARCH i686)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SYSREPORT_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${SYSREPORT_ARCH})
set(triple ${SYSREPORT_ARCH}-w64-mingw32)

# The win32 thread-model compilers: the posix ones link winpthreads, which
# imports functions that Windows 98 and NT 4.0 lack (GetTickCount64, the
# vectored exception handlers). The program has a single thread.
set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
