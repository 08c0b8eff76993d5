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
    "calculator for beams: reactions, shear force, bending moment")
# The long description; CPack puts the summary above it as its first line
# and indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantrel computes the support reactions, the shear force and the bending
moment of a beam under uniform, triangular, concentrated and moment
loads, and draws the load, shear-force and bending-moment diagrams. The
beam is simple, a cantilever, overhanging, fixed at both ends, propped or
continuous, or rests on any list of pins, rollers and fixed ends. Given a
section and a material, it also computes slope and deflection and checks
stresses and deflection. Japanese user interface.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel developers <vantrel@example.org>")
# The changelog of a native package (the version has no Debian revision),
# compressed as Debian wants it: gzip -9 without a name or a time stamp.
execute_process(COMMAND date -u -R -d ${VANTREL_RELEASE_DATE}
                OUTPUT_VARIABLE VANTREL_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${VANTREL_LINUX_DIR}/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/changelog
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${VANTREL_DOC_DIR})
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
