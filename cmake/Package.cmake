# The Debian package, made by `cpack -G DEB` from the install rules (tools/package runs it).
# Its Depends line comes from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kinloom)
set(CPACK_PACKAGE_VENDOR "Brennick Software")
set(CPACK_PACKAGE_CONTACT "Alden Brennick <support@kinloom-genealogy.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed with DESTDIR, so that what the install rules write (the menu entry's program
# path) names /usr and not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kinloom-genealogy.org/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "genealogy web site maker: GEDCOM file to static HTML pages
KINLOOM turns a genealogy database, exported as a GEDCOM file, into a
self-contained web site of static HTML pages that can be published as they
are: a main index page, surname lists and surname index pages, family group
pages, descendancy pages, four-generation pedigree charts, notes pages and an
author page, in up to nine languages, with a gendex.txt index.
.
The package holds the command kinloom and the desktop program kinloom-gui.")
include(CPack)
