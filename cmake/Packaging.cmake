# The Debian package: `cpack -G DEB` (or the `package` target) in the build folder turns the
# install rules of data/ into qrt-settings_<version>_<arch>.deb. Its dependencies are computed
# from the installed binaries by dpkg-shlibdeps.
include(GNUInstallDirs)

set(SETTINGS_PACKAGE_MAINTAINER
  "Seed 9a54f9ce maintainers <maintainers@users.noreply.c-seed-9a54f9ce.example>"
  CACHE STRING "Name and e-mail address in the Debian package's Maintainer field")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qrt-settings)
set(CPACK_PACKAGE_VENDOR Velmar)
set(CPACK_PACKAGE_CONTACT "${SETTINGS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jumper settings for QRT digital I/O boards")
# The extended description of the Debian package: lines under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop utility that helps you set the option jumpers of a QRT-216/224/232(X)
series PCI Express digital I/O board before you fit it: a photo of the board
with coloured circles over the jumpers, clickable jumper drawings, and the list
of the boards the driver finds. The package carries a stand-in for the board
driver library.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The driver library sits in the package's private folder, where no other package provides it.
# dpkg-shlibdeps runs in the staging root, so a path relative to it names that folder; found
# there, the library counts as the package's own and adds no dependency.
string(REGEX REPLACE "^/" "" settings_staged_prefix "${CPACK_PACKAGING_INSTALL_PREFIX}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  "${settings_staged_prefix}/${CMAKE_INSTALL_LIBDIR}/${CPACK_PACKAGE_NAME}")
# The windows are laid out for the faces that platform/Fonts.cpp loads from these packages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

include(CPack)
