# Everything an installed Vortana needs beside the program and its data: the
# record helper, the menu entry, the software-centre metadata, the icons, the
# manual and the licence, the shared record directory, and the Debian package.
set(VORTANA_APP_ID org.example.Vortana)
# The record directory as the manual and the maintainer scripts name it.
string(REGEX REPLACE "/+$" "" VORTANA_PACKAGE_RECORD_DIR "${VORTANA_RECORD_DIR}")
include(${CMAKE_CURRENT_LIST_DIR}/Install.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
