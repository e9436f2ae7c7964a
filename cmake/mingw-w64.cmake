# Cross build for 64-bit Windows with the Debian MinGW-w64 compilers.
#
#   cmake --preset windows && cmake --build --preset windows
#
# The posix thread-model compilers are used because they provide std::thread and std::mutex.
# libgcc, libstdc++ and winpthread are linked statically, so the programs run on a Windows
# machine without any MinGW DLL next to them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RPANEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RPANEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RPANEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RPANEL_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${RPANEL_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${RPANEL_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "Ranlib")

# Libraries, headers and packages come from the MinGW sysroot only; tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${RPANEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static also pulls in libwinpthread, which the posix thread model needs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
