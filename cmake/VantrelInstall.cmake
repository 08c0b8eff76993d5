# What `cmake --install` puts under the prefix: the program, its desktop
# entry, its AppStream metainfo, the MIME type of its data files, its icons
# and its documents.
include(GNUInstallDirs)
# Debian names the folder after the package, in lower case.
set(VANTREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantrel)

install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(VANTREL_LINUX_DIR ${PROJECT_SOURCE_DIR}/resources/linux)
install(FILES ${VANTREL_LINUX_DIR}/vantrel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VANTREL_LINUX_DIR}/vantrel.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# What software centres show, named after its id. The web address ends in
# "/", as the screenshot's address is made from it.
set(VANTREL_APPSTREAM_ID org.example.vantrel)
# The day the version of project() was released.
set(VANTREL_RELEASE_DATE 2026-12-10)
set(VANTREL_WEB_FOLDER ${VANTREL_WEB_ADDRESS})
if(NOT VANTREL_WEB_FOLDER MATCHES "/$")
  string(APPEND VANTREL_WEB_FOLDER "/")
endif()
configure_file(${VANTREL_LINUX_DIR}/vantrel.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${VANTREL_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${VANTREL_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icons are drawn by tools/make_icons.py.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${VANTREL_LINUX_DIR}/README ${VANTREL_LINUX_DIR}/copyright
        DESTINATION ${VANTREL_DOC_DIR})
# The help pages the program shows, for reading without it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/
        DESTINATION ${VANTREL_DOC_DIR}/help)
