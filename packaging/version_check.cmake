# One version for the program and its packages: the Debian changelog's upstream part and the
# AppStream release must be the project's, or the configuration stops. Sets deb_release.
set(packaging_dir ${CMAKE_CURRENT_LIST_DIR})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${packaging_dir}/changelog ${packaging_dir}/it.collemarsi.Brindora.metainfo.xml)
file(STRINGS ${packaging_dir}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^brindora \\(([^)-]+)-([^)]+)\\)")
    message(FATAL_ERROR "packaging/changelog: no version in its first line")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog is at ${CMAKE_MATCH_1}, the project at ${PROJECT_VERSION}")
endif()
set(deb_release ${CMAKE_MATCH_2})
file(STRINGS ${packaging_dir}/it.collemarsi.Brindora.metainfo.xml metainfo_release REGEX "<release version=")
if(NOT metainfo_release MATCHES "version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "the AppStream metadata's newest release is not ${PROJECT_VERSION}")
endif()
