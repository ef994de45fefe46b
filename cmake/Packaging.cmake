# `cpack -G DEB` in a configured build tree makes an installable Debian
# package of what `cmake --install` puts in place.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME zentrix)
set(CPACK_PACKAGE_VENDOR "Qorvel Group")
set(CPACK_PACKAGE_CONTACT "Qorvel Group <zentrix@qorvelgroup.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Subnet, number-base and latency calculator for network engineers")
# Debian wants the long description in lines of at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "One window with three calculators: a classful IPv4 subnet calculator with\n"
    "CIDR supernets, a number-base calculator for decimal, hexadecimal and\n"
    "binary, and a latency calculator for a chain of networks between two nodes.")
if(ZENTRIX_BUILD_CLI)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "\n"
      "zentrix-cli offers the same calculators on the command line, with classless\n"
      "IPv4 and IPv6 networks, ranges and summaries besides.")
endif()
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.qorvelgroup.com/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the program links come from dpkg-shlibdeps; Qt's platform
# plugins and the interface face are loaded at run time, so they are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")

# What Debian asks of every package besides the programs: the copyright and
# the changelog in the package's documentation folder, and a manual page
# for each program, all compressed as dpkg expects (gzip -9n: no name or
# time stamp, so the same sources give the same package). zentrix-cli's
# page is made from its --help (cli/CMakeLists.txt); zentrix has no
# options, and its page is written by hand.
include(${CMAKE_CURRENT_LIST_DIR}/ZentrixGzip.cmake)
set(ZENTRIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zentrix)
zentrix_gzip_file(${PROJECT_SOURCE_DIR}/packaging/changelog
                  ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
zentrix_gzip_file(${PROJECT_SOURCE_DIR}/docs/man/zentrix.1
                  ${PROJECT_BINARY_DIR}/packaging/zentrix.1.gz)
add_custom_target(zentrix_package_docs ALL
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${PROJECT_BINARY_DIR}/packaging/zentrix.1.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${ZENTRIX_DOC_DIR})
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${ZENTRIX_DOC_DIR})
install(FILES ${PROJECT_BINARY_DIR}/packaging/zentrix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(CPack)
