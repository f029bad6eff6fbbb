# The Debian package: tarvik_<version>_<arch>.deb with both programs, the desktop entry,
# the icon, the manual and the man page. Built by scripts/package from a built tree.

# The version the version component reports (src/components/MainWindowVersion.cpp).
set(TARVIK_PACKAGE_VERSION 2.1d)

# "install" and cpack take the tree as built: they never rebuild it first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvik)
set(CPACK_PACKAGE_VERSION ${TARVIK_PACKAGE_VERSION})
set(CPACK_PACKAGE_CONTACT "Orbane Software <tarvik@orbane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "link checker for web sites kept as local files")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarvik checks the links and images of a web site kept as local files, and of the
published site, before it goes on line: missing files, names that differ in letter
case, anchors that lead nowhere, unused files and dead external addresses. It has a
desktop program and a command-line checker for build scripts and CI.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
