# Run by cpack after its staging install: links the launcher and the icon of a package installed to /opt/oruvel into
# the system's menu folders, so the program shows in the application menu.
file(GLOB_RECURSE launcher "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/oruvel.desktop")
list(FILTER launcher INCLUDE REGEX "${CPACK_PACKAGING_INSTALL_PREFIX}/share/applications/oruvel.desktop$")
if(NOT launcher)
    message(FATAL_ERROR "the staged launcher was not found under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
list(GET launcher 0 launcher)
string(REGEX REPLACE "${CPACK_PACKAGING_INSTALL_PREFIX}/share/applications/oruvel.desktop$" "" root "${launcher}")
foreach(item "share/applications/oruvel.desktop" "share/icons/hicolor/128x128/apps/oruvel.png")
    get_filename_component(folder "${root}/usr/${item}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "${CPACK_PACKAGING_INSTALL_PREFIX}/${item}" "${root}/usr/${item}" SYMBOLIC)
endforeach()
