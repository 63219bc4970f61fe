# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads, so
# std::thread and std::mutex work). Qt's own host tools (moc, rcc, uic) come
# from the Linux Qt: pass -DQT_HOST_PATH=/usr. MARQUEE_QT_PREFIX names the
# Windows Qt, searched in place of the Linux one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triplet x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

if(NOT MARQUEE_QT_PREFIX AND DEFINED ENV{MARQUEE_QT_PREFIX})
    set(MARQUEE_QT_PREFIX "$ENV{MARQUEE_QT_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${MARQUEE_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr CACHE PATH "The Qt whose tools run on the build machine")
set(Qt6HostInfo_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo CACHE PATH "")
