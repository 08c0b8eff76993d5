# The Debian package, built by scripts/package.sh with `cpack -G DEB`.
# dpkg-shlibdeps finds the libraries the program links; the rest is what
# it loads at run time. Installing files under share/applications,
# share/mime/packages and share/icons/hicolor fires the file triggers of
# desktop-file-utils, shared-mime-info and the icon cache, which update
# their databases on install and on removal.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calculator for simple beams and cantilevers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "calculator for simple beams and cantilevers
 Vantrel computes the support reactions, the shear force and the bending
 moment of statically determinate beams (simple beams and cantilevers)
 under uniform, triangular, concentrated and moment loads, and draws the
 load, shear-force and bending-moment diagrams. Japanese user interface.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel developers <vantrel@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin and a Japanese font are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-mincho, qt6-translations-l10n, shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
