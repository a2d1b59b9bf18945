# Shared part of the MinGW-w64 cross toolchains; KESTREL_TRIPLE is set by the including file.
set(CMAKE_SYSTEM_NAME Windows)
# The POSIX thread model: its C++ runtime is a superset of the win32 model's (std::mutex,
# std::thread), so hosts built with either variant can share the runtime DLLs we ship.
set(CMAKE_C_COMPILER   ${KESTREL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTREL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KESTREL_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# BOTH, so that a host can find an installed Kestrel package anywhere via CMAKE_PREFIX_PATH.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Programs built here run under Wine. The prefix lives in the build tree unless the caller
# shares one (the install test reuses the main build's prefix to avoid a second wineboot).
if(NOT KESTREL_WINEPREFIX)
  set(KESTREL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;--prefix;${KESTREL_WINEPREFIX}")
