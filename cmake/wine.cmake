# Cross-built for Windows: what the build runs itself (to_bitmap) and every test go through
# wine-run.sh, made here, which finds the Qt libraries and the mingw runtime and hands the
# tests' QT_* settings on as Wine wants them.
find_package(Qt6 REQUIRED COMPONENTS Core)
get_filename_component(BRINDORA_QT_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)
set(BRINDORA_MINGW_RUNTIME_DIRS
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix
    /usr/x86_64-w64-mingw32/lib)
set(winepath "")
foreach(dir ${BRINDORA_QT_PREFIX}/bin ${BRINDORA_MINGW_RUNTIME_DIRS})
    string(REPLACE "/" "\\\\" dir "${dir}")
    list(APPEND winepath "Z:${dir}")
endforeach()
list(JOIN winepath ";" BRINDORA_WINEPATH)
set(BRINDORA_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
    "The Wine prefix the build's programs and tests run in")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
