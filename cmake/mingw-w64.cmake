# Cross-build for Windows with Debian's MinGW-w64, POSIX thread model (GoogleTest needs
# std::mutex). The processor is x86_64 unless KESTRUNE_WINDOWS_PROCESSOR says i686, the
# program's own 32-bit platform. Programs are linked statically, so each .exe starts on a
# clean Windows with no DLL beside it.
set(KESTRUNE_WINDOWS_PROCESSOR x86_64 CACHE STRING "Windows processor: x86_64 or i686")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KESTRUNE_WINDOWS_PROCESSOR)
set(triplet ${KESTRUNE_WINDOWS_PROCESSOR}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KESTRUNE_WINDOWS_PROCESSOR})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
if(KESTRUNE_WINDOWS_PROCESSOR STREQUAL i686)
    # 4 GiB of address space instead of 2 on 64-bit Windows: room for large cover pictures.
    string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--large-address-aware")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
