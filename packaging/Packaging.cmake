# The Debian packages, built by CPack from the same install rules as
# cmake --install, so a package holds exactly what an installation holds:
#   brackwell                  the editor, brackwell-reg, menu entry, icon,
#                              metainfo, manual pages, default registry
#   libbrackwell-registry1     the registry library for other programs
#   libbrackwell-registry-dev  its headers, CMake package and pkg-config file
# Dependencies are computed by dpkg-shlibdeps; the library package declares
# its shlibs and the ldconfig trigger (CPack adds ldconfig calls to its
# maintainer scripts as well, which lintian warns about and which do no harm).
set(BRACKWELL_MAINTAINER "Brackwell developers <brackwell@example.org>" CACHE STRING
    "The Maintainer of the Debian packages")

# Each package carries its copyright and Debian changelog; a plain
# cmake --install leaves them out.
set(doc_root ${CMAKE_INSTALL_DATAROOTDIR}/doc)
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${GZIP} -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog > ${changelog_gz}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${changelog_gz})

set(brackwell_packages
  programs brackwell utils
  "Small registry editor for handheld devices"
  "Brackwell shows the whole device registry under its four root keys, lists\nthe values of the selected key, and creates, modifies, renames and deletes\nkeys and string, number, multi-string and binary values. Every change is\nwritten at once. Made for a palm-size, portrait, stylus-driven screen.\n\nbrackwell-reg queries, changes, imports and exports the same registry from\na terminal."
  library libbrackwell-registry1 libs
  "Brackwell device registry library"
  "The registry that the Brackwell editor shows, for other programs: the ten\nregistry calls (open, create, enumerate, query, set and delete keys and\nvalues) over one registry file that every program on the device shares\nsafely.\n\nThis package holds the shared library."
  development libbrackwell-registry-dev libdevel
  "Brackwell device registry library - development files"
  "The registry that the Brackwell editor shows, for other programs: the ten\nregistry calls over one registry file that every program on the device\nshares safely.\n\nThis package holds the headers, the CMake package (BrackwellRegistry) and\nthe pkg-config file (brackwell-registry).")
while(brackwell_packages)
  list(POP_FRONT brackwell_packages component package section summary description)
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${package})
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_SECTION ${section})
  set(CPACK_DEBIAN_${COMPONENT}_DESCRIPTION "${summary}\n${description}")
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright ${changelog_gz}
          DESTINATION ${doc_root}/${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
endwhile()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brackwell)
set(CPACK_PACKAGE_VENDOR "Brackwell developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs library development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BRACKWELL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRACKWELL_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
configure_file(debian/libbrackwell-registry1.triggers library/triggers COPYONLY)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/library/triggers)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
include(CPack)
