# Writes the application-menu launcher at install time, so it names the folder the programs were installed to.
set(ORUVEL_EXEC "\"${CMAKE_INSTALL_PREFIX}/Oruvel\"")
configure_file("${ORUVEL_LAUNCHER_TEMPLATE}" "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/oruvel.desktop"
               @ONLY)
message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/oruvel.desktop")
