# `cpack -G DEB` in a configured build tree makes an installable Debian
# package of what `cmake --install` puts in place.
set(CPACK_PACKAGE_NAME zentrix)
set(CPACK_PACKAGE_VENDOR "Qorvel Group")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Subnet, number-base and latency calculator for network engineers")
set(CPACK_PACKAGE_DESCRIPTION
    "One window with three calculators: a classful IPv4 subnet calculator with CIDR supernets, a number-base calculator for decimal, hexadecimal and binary, and a latency calculator for a chain of networks between two nodes.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.qorvelgroup.com/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Qorvel Group")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the program links come from dpkg-shlibdeps; Qt's platform
# plugins and the interface face are loaded at run time, so they are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")

include(CPack)
