# Shared part of the MinGW-w64 toolchain files. The posix thread-model compilers
# are required: the win32 model of GCC 12 has no std::thread, and GoogleTest needs it.
set(CMAKE_C_COMPILER ${BUNDOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BUNDOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BUNDOR_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BUNDOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the .exe files under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
