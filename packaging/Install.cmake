set(VORTANA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VORTANA_PACKAGING_BUILD_DIR ${CMAKE_BINARY_DIR}/packaging)

# The helper is installed 0755; only root may make it set-group-id games, which
# the package's postinst does, and SharedRecord.cmake for an install as root.
install(TARGETS vortana_record_helper_program RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vortana)

install(FILES ${VORTANA_PACKAGING_DIR}/${VORTANA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# AppStream 1.0 (Debian 13) names the developer in a <developer> element and
# calls <developer_name> deprecated; AppStream 0.16 (Debian 12) knows only the
# latter. The metadata speaks the version of the release it is built on.
set(VORTANA_DEVELOPER_XML "<developer id=\"org.example\">\n    <name>Gli autori di Vortana</name>\n  </developer>")
find_program(VORTANA_APPSTREAMCLI appstreamcli)
if(VORTANA_APPSTREAMCLI)
  execute_process(COMMAND ${VORTANA_APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_version)
  if(appstream_version MATCHES "([0-9]+\\.[0-9]+)" AND CMAKE_MATCH_1 VERSION_LESS 1.0)
    set(VORTANA_DEVELOPER_XML "<developer_name>Gli autori di Vortana</developer_name>")
  endif()
endif()
configure_file(${VORTANA_PACKAGING_DIR}/${VORTANA_APP_ID}.metainfo.xml.in
               ${VORTANA_PACKAGING_BUILD_DIR}/${VORTANA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${VORTANA_PACKAGING_BUILD_DIR}/${VORTANA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The window's own icon, as the menu's: the SVG as it is, PNGs rendered from it.
set(VORTANA_ICON_SOURCE ${CMAKE_SOURCE_DIR}/assets/icons/window-icon.svg)
set(VORTANA_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${VORTANA_ICON_SOURCE} DESTINATION ${VORTANA_ICON_DIR}/scalable/apps RENAME ${VORTANA_APP_ID}.svg)
find_program(VORTANA_RSVG_CONVERT rsvg-convert REQUIRED)
set(VORTANA_ICON_OUTPUTS)
foreach(size IN ITEMS 16 32 48 64 128 256)
  set(png ${VORTANA_PACKAGING_BUILD_DIR}/icons/${size}x${size}/${VORTANA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VORTANA_PACKAGING_BUILD_DIR}/icons/${size}x${size}
    COMMAND ${VORTANA_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${VORTANA_ICON_SOURCE}
    DEPENDS ${VORTANA_ICON_SOURCE}
    COMMENT "Rendering the ${size}x${size} icon")
  list(APPEND VORTANA_ICON_OUTPUTS ${png})
  install(FILES ${png} DESTINATION ${VORTANA_ICON_DIR}/${size}x${size}/apps)
endforeach()
add_custom_target(vortana_icons ALL DEPENDS ${VORTANA_ICON_OUTPUTS})

# Debian wants manuals compressed at maximum and without a timestamp; man
# reads them so from any prefix.
configure_file(${VORTANA_PACKAGING_DIR}/vortana.6.in ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6 @ONLY)
find_program(VORTANA_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6.gz
  COMMAND ${VORTANA_GZIP} -9n -c ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6 > ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6.gz
  DEPENDS ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6)
add_custom_target(vortana_manual ALL DEPENDS ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6.gz)
install(FILES ${VORTANA_PACKAGING_BUILD_DIR}/vortana.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${VORTANA_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vortana)

configure_file(${VORTANA_PACKAGING_DIR}/SharedRecord.cmake.in ${VORTANA_PACKAGING_BUILD_DIR}/SharedRecord.cmake @ONLY)
install(SCRIPT ${VORTANA_PACKAGING_BUILD_DIR}/SharedRecord.cmake)
