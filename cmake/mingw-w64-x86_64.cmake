# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++ with POSIX threads, so that
# std::thread and std::mutex work). Qt for Windows is found under ORX740_WINDOWS_QT (scripts/windows
# builds it), the rest of the target's libraries in the mingw root; programs such as moc come from
# the build machine's own Qt (QT_HOST_PATH).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORX740_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORX740_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORX740_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORX740_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORX740_MINGW_TRIPLE})
if(DEFINED ENV{ORX740_WINDOWS_QT})
    list(APPEND CMAKE_FIND_ROOT_PATH "$ENV{ORX740_WINDOWS_QT}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
