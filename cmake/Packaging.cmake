# Debian package of the desktop program: `cpack` or the `package` target in
# a build directory (the release preset installs below /usr).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qelvar)
set(CPACK_PACKAGE_VENDOR Tovrin)
set(CPACK_PACKAGE_CONTACT "Tovrin <qelvar@tovrin.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Purple Star chart casting and Chinese lunar calendar")
set(CPACK_PACKAGE_DESCRIPTION "Qelvar converts birth dates between the Gregorian and the \
Chinese lunar calendar and casts Purple Star (Zi Wei Dou Shu) charts in a Qt 6 window; \
qelvar-cli does the same from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tovrin.org/qelvar)
# Library dependencies come from the binaries (dpkg-shlibdeps); the font and
# the Qt platform plugins are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-qpa-plugins")
include(CPack)
