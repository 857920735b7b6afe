# Debian package of the desktop program: `cpack` or the `package` target in
# a build directory (the release preset installs below /usr and hardens the
# build).  The package's documentation files come from packaging/.
set(qelvar_docdir ${CMAKE_INSTALL_DATADIR}/doc/qelvar)
set(qelvar_pkg ${PROJECT_SOURCE_DIR}/packaging)

# The changelog's newest entry has to be this version.
file(STRINGS ${qelvar_pkg}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^qelvar \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}")
endif()

# Debian wants documentation and manual pages compressed with gzip -9n.
set(gzip_to sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip)
add_custom_command(OUTPUT changelog.gz COMMAND ${gzip_to} ${qelvar_pkg}/changelog changelog.gz
                   DEPENDS ${qelvar_pkg}/changelog VERBATIM)
add_custom_target(package_docs ALL DEPENDS changelog.gz)
install(FILES ${qelvar_pkg}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${qelvar_docdir})

# Manual pages: qelvar's is written by hand, qelvar-cli's is made from its
# --help texts at build time.
set(man1 ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET qelvar)
    add_custom_command(OUTPUT qelvar.1.gz COMMAND ${gzip_to} ${qelvar_pkg}/qelvar.1 qelvar.1.gz
                       DEPENDS ${qelvar_pkg}/qelvar.1 VERBATIM)
    add_custom_target(qelvar_manpage ALL DEPENDS qelvar.1.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qelvar.1.gz DESTINATION ${man1})
endif()
find_program(HELP2MAN help2man)
if(HELP2MAN)
    add_custom_command(OUTPUT qelvar-cli.1.gz
                       COMMAND ${qelvar_pkg}/cli-manpage.sh $<TARGET_FILE:qelvar-cli> ${PROJECT_VERSION}
                               qelvar-cli.1.gz
                       DEPENDS qelvar-cli ${qelvar_pkg}/cli-manpage.sh VERBATIM)
    add_custom_target(qelvar_cli_manpage ALL DEPENDS qelvar-cli.1.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qelvar-cli.1.gz DESTINATION ${man1})
else()
    message(WARNING "help2man not found: the package will have no manual page for qelvar-cli")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qelvar)
set(CPACK_PACKAGE_VENDOR Tovrin)
set(CPACK_PACKAGE_CONTACT "Tovrin <qelvar@tovrin.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Purple Star chart casting and Chinese lunar calendar")
# One line per paragraph line of the extended description (at most 79
# characters each); CPack indents them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Qelvar converts birth dates between the Gregorian and the Chinese lunar"
    "calendar (1901 to 2051) and casts Purple Star (Zi Wei Dou Shu) charts: twelve"
    "palace cells with their stars round a centre panel with the five pillars,"
    "in a Qt 6 window that can also capture a part of the screen to a BMP file."
    ""
    "The command-line companion qelvar-cli converts dates, casts charts as text"
    "or JSON, and draws the chart window to a PNG file without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tovrin.org/qelvar)
# Library dependencies come from the binaries (dpkg-shlibdeps); the font and
# the Qt platform plugins are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-qpa-plugins, tzdata")
include(CPack)
