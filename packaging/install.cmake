# Installing SYNCWARD as a desktop program (cmake --install), and its Debian
# package (cpack; scripts/package.sh).
include(GNUInstallDirs)

# One name for the desktop entry, the icon, the metadata and the running
# window (main.cpp), so desktops tie them together.
set(SYNCWARD_APP_ID io.github.syncward.Syncward)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME program)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(data ${PROJECT_SOURCE_DIR}/data)
set(generated ${PROJECT_BINARY_DIR}/data)
configure_file(${data}/${SYNCWARD_APP_ID}.metainfo.xml.in ${generated}/${SYNCWARD_APP_ID}.metainfo.xml @ONLY)
configure_file(${data}/syncward.1.in ${generated}/syncward.1 @ONLY)
execute_process(COMMAND env LC_ALL=C date -u -R -d "${SYNCWARD_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE SYNCWARD_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${generated}/changelog @ONLY)

# Manual pages and Debian changelogs are installed compressed; -n leaves the
# time stamp out, so the same sources give the same package.
find_program(SYNCWARD_GZIP gzip REQUIRED)
set(compressed "")
foreach(file syncward.1 changelog)
  add_custom_command(OUTPUT ${generated}/${file}.gz
    COMMAND sh -c "exec \"$0\" -9nc -- \"$1\" > \"$2\"" ${SYNCWARD_GZIP} ${generated}/${file} ${generated}/${file}.gz
    DEPENDS ${generated}/${file} VERBATIM)
  list(APPEND compressed ${generated}/${file}.gz)
endforeach()
add_custom_target(syncward_installed_data ALL DEPENDS ${compressed})

install(TARGETS syncward RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${data}/${SYNCWARD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/${SYNCWARD_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${generated}/${SYNCWARD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${generated}/syncward.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Every Debian package carries its copyright and changelog; a plain
# `cmake --install` leaves them out.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/syncward COMPONENT debian EXCLUDE_FROM_ALL)

# The opt-in polkit rule that lets the members of the group syncward-power
# power off, restart and hibernate from an unattended start, and the script
# that creates the group, empty: the package's alone, since only a package
# installed by the administrator may widen what the system allows.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/60-syncward-power.rules
        DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/rules.d COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME syncward)
set(CPACK_PACKAGE_VENDOR QUORVEL)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps a crypto-currency full node up to date unattended")
file(READ ${PROJECT_SOURCE_DIR}/packaging/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "SYNCWARD developers <syncward@quorvel.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst)
# Library packages from what the program links (dpkg-shlibdeps). The node is
# the user's own choice and not a dependency; the mailer sends the reports,
# xdg-open shows them, crontab holds the weekly start.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# groupadd, for the rule's group.
set(CPACK_DEBIAN_PACKAGE_DEPENDS passwd)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sendemail, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cron | cron-daemon")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
include(CPack)
