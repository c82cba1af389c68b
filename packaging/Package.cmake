# The Debian package: `cpack -G DEB` in the build directory. Its libraries'
# packages come from dpkg-shlibdeps; the data it loads at run time is named.
set(VORTANA_PACKAGE_PREFIX /usr)
set(VORTANA_PACKAGE_HELPER ${VORTANA_PACKAGE_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/vortana/vortana-record)
foreach(script IN ITEMS postinst postrm)
  configure_file(${VORTANA_PACKAGING_DIR}/${script}.in ${VORTANA_PACKAGING_BUILD_DIR}/debian/${script} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                 WORLD_READ WORLD_EXECUTE)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vortana)
set(CPACK_PACKAGE_VENDOR "Gli autori di Vortana")
set(CPACK_PACKAGE_CONTACT "posta@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "esercizi sulla tabellina del 6 con un mago parlante")
set(CPACK_PACKAGE_DESCRIPTION "Il mago Merlino detta a voce le domande della tabellina del 6; il bambino\n\
scrive il risultato e il mago lo corregge o lo loda. Una partita dura sette\n\
minuti, e il record del computer resta salvato con il nome di chi lo ha\n\
raggiunto, per tutti gli utenti.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${VORTANA_PACKAGE_PREFIX})
# Stripped programs, their debug information in a package of its own
# (vortana-dbgsym); the split needs the unstripped files.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Gli autori di Vortana <posta@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The voice's data, the faces the window is drawn for, and the platforms it
# opens on, X11 and Wayland: none of them is linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "espeak-ng-data, fonts-liberation, fonts-lato, qt6-qpa-plugins, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${VORTANA_PACKAGING_BUILD_DIR}/debian/postinst ${VORTANA_PACKAGING_BUILD_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The same tree whatever the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
configure_file(${VORTANA_PACKAGING_DIR}/DebianLayout.cmake.in ${VORTANA_PACKAGING_BUILD_DIR}/DebianLayout.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${VORTANA_PACKAGING_BUILD_DIR}/DebianLayout.cmake)
configure_file(${VORTANA_PACKAGING_DIR}/DebugPackage.cmake.in ${VORTANA_PACKAGING_BUILD_DIR}/DebugPackage.cmake @ONLY)
set(CPACK_POST_BUILD_SCRIPTS ${VORTANA_PACKAGING_BUILD_DIR}/DebugPackage.cmake)
include(CPack)
