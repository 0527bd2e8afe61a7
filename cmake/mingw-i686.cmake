# Cross-builds the 32-bit Windows release. 32-bit code cannot run on the build
# machines, so this build is compiled and linked but not run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILLMERE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
