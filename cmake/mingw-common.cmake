# Shared by both mingw-w64 toolchain files; KESTRUM_TRIPLE names the target.
find_program(KESTRUM_CXX ${KESTRUM_TRIPLE}-g++-posix)
find_program(KESTRUM_CC ${KESTRUM_TRIPLE}-gcc-posix)
find_program(KESTRUM_RC ${KESTRUM_TRIPLE}-windres)
if(NOT KESTRUM_CXX OR NOT KESTRUM_CC OR NOT KESTRUM_RC)
  message(FATAL_ERROR "The ${KESTRUM_TRIPLE} posix compilers or windres are missing: "
                      "install g++-mingw-w64-x86-64 and g++-mingw-w64-i686.")
endif()
set(CMAKE_C_COMPILER ${KESTRUM_CC})
set(CMAKE_CXX_COMPILER ${KESTRUM_CXX})
set(CMAKE_RC_COMPILER ${KESTRUM_RC})
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRUM_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests are Windows programs: ctest runs them under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
