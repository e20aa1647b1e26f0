# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# thread model, which Qt needs for std::thread). Used to build Qt itself and
# the game; programs and libraries are looked up under CMAKE_FIND_ROOT_PATH
# only, tools on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TORAN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TORAN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORAN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TORAN_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TORAN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
