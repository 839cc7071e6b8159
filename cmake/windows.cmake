# Windows: the program's icon and version in its own resources, and the folder that runs on a
# Windows 10 or 11 PC as it is (`cmake --install <build> --prefix <folder>`): the program, Qt's
# libraries and the plugins it loads, the mingw runtime, the recordings in Europa\.
find_package(Qt6 REQUIRED COMPONENTS Core)
get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)

string(REPLACE "." "," version_commas "${PROJECT_VERSION}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/brindora.rc.in ${CMAKE_BINARY_DIR}/brindora.rc @ONLY)
target_sources(brindora PRIVATE ${CMAKE_BINARY_DIR}/brindora.rc)
set_target_properties(brindora PROPERTIES WIN32_EXECUTABLE ON)

install(TARGETS brindora RUNTIME DESTINATION .)
install(FILES ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll ${qt_prefix}/bin/Qt6Widgets.dll
    DESTINATION .)
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
install(FILES ${qt_prefix}/plugins/imageformats/qico.dll DESTINATION imageformats)
install(FILES
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
    DESTINATION .)
install(DIRECTORY ${BRINDORA_ASSETS_DIR}/Europa DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# In the build folder the program runs as it is too (the tests start it): the libraries beside
# it, and Qt's plugins found through a qt.conf.
if(CMAKE_CROSSCOMPILING)
    add_custom_target(brindora_beside ALL
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
                ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll ${qt_prefix}/bin/Qt6Widgets.dll
                /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
                /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
                /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
                $<TARGET_FILE_DIR:brindora>
        DEPENDS brindora)
    file(GENERATE OUTPUT $<TARGET_FILE_DIR:brindora>/qt.conf
        CONTENT "[Paths]\nPrefix=Z:${qt_prefix}\n")
endif()
