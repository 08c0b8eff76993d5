# What `cmake --install` puts under the prefix: the program, its desktop
# entry, the MIME type of its data files, its icons and its documents.
include(GNUInstallDirs)
# Debian names the folder after the package, in lower case.
set(VANTREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantrel)

install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(VANTREL_LINUX_DIR ${PROJECT_SOURCE_DIR}/resources/linux)
install(FILES ${VANTREL_LINUX_DIR}/vantrel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VANTREL_LINUX_DIR}/vantrel.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# The icons are drawn by tools/make_icons.py.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${VANTREL_LINUX_DIR}/README ${VANTREL_LINUX_DIR}/copyright
        DESTINATION ${VANTREL_DOC_DIR})
# The help pages the program shows, for reading without it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/
        DESTINATION ${VANTREL_DOC_DIR}/help)
