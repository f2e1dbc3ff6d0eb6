# The Debian package:  cd build && cpack -G DEB  ->  r8designer_VERSION_amd64.deb
# It holds what cmake/R8Install.cmake installs, under /usr. dpkg-shlibdeps
# finds the libraries the programs link; the plugins Qt loads at run time
# (SQLite driver, platform plugins) are named here, since no link shows them.
set(CPACK_PACKAGE_NAME r8designer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "R8 Designer developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "page designer for free-flight variometer/GPS instruments")
set(CPACK_PACKAGE_DESCRIPTION "Designs the sixteen screen pages of a hand-held free-flight instrument \
(paragliding, hang gliding), saves layouts as .zvl files and sends them over the USB serial link; \
uploads airspaces read from OpenAir files and updates the instrument's firmware. \
Includes the command-line tool r8tool and the instrument simulator r8sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(R8_QT STREQUAL "6")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qttranslations5-l10n")
endif()

set(CPACK_GENERATOR DEB)
include(CPack)
