# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which std::thread and Qt's static runtime need). Used for Qt itself and for
# the program; scripts/windows passes it to both.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PEREWAL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PEREWAL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PEREWAL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PEREWAL_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot and the Qt prefix only,
# never from the Linux host; programs (moc, rcc, lrelease) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${PEREWAL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
