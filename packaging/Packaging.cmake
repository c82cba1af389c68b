# Everything an installed Vortana needs beside the program and its data: the
# record helper, the menu entry, the software-centre metadata, the icons, the
# shared record directory, and the Debian package.
set(VORTANA_APP_ID org.example.Vortana)
include(${CMAKE_CURRENT_LIST_DIR}/Install.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
