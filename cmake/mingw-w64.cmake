# Cross build for 64-bit Windows with Debian's MinGW-w64 toolchain (the posix thread model, which
# std::thread needs). Programs built with it run under Wine for the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PW_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${PW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# GoogleTest is built with this toolchain into a folder of the build tree, named by its prefix.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The programs must start without the toolchain's runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
