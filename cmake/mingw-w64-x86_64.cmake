# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix thread model, which std::thread and std::mutex need). The runtime is
# linked statically, so a built program runs without any DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Built programs run here under Wine (ctest, test discovery).
find_program(SYNCWARD_WINE wine)
if(SYNCWARD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SYNCWARD_WINE})
endif()
