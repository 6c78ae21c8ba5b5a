# Toolchain for a 64-bit Windows build with Debian's mingw-w64 (posix-threads compilers); the project itself
# links the runtime in statically.
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MingwW64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MOSARO_MINGW_TRIPLE x86_64-w64-mingw32)
# The win32-threads compilers lack std::mutex and std::thread, which JUCE uses.
set(CMAKE_C_COMPILER ${MOSARO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MOSARO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MOSARO_MINGW_TRIPLE}-windres)
set(CMAKE_OBJCOPY ${MOSARO_MINGW_TRIPLE}-objcopy CACHE FILEPATH "objcopy for PE files")
set(CMAKE_OBJDUMP ${MOSARO_MINGW_TRIPLE}-objdump CACHE FILEPATH "objdump for PE files")

set(CMAKE_FIND_ROOT_PATH /usr/${MOSARO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config (e.g. for a Windows libepoxy with MOSARO_BUILTIN_GL_LOADER=OFF) sees the target's packages only.
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
