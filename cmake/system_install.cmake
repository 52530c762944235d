# What a system install adds to the programs, the pictures and the icons: the menu entry, the AppStream metadata, the
# manual pages and the package documents, each where the Debian policy and the freedesktop specifications put them.
set(ORUVEL_EXEC oruvel)
configure_file(${PROJECT_SOURCE_DIR}/resources/oruvel.desktop.in ${CMAKE_BINARY_DIR}/resources/org.oruvel.Oruvel.desktop
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/resources/org.oruvel.Oruvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/org.oruvel.Oruvel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Compressed as Debian ships them: gzip -9 without a name or a time stamp, so a rebuild gives the same bytes.
find_program(GZIP_EXE gzip REQUIRED)
set(compressed "")
foreach(source man/oruvel.1 man/oruvel_set_startup.1 changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_BINARY_DIR}/resources/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${GZIP_EXE} -9 -n -c ${PROJECT_SOURCE_DIR}/resources/${source} > ${output}
        DEPENDS ${PROJECT_SOURCE_DIR}/resources/${source} COMMENT "Compressing ${name}")
    list(APPEND compressed ${output})
endforeach()
add_custom_target(compressed_documents ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/resources/oruvel.1.gz ${CMAKE_BINARY_DIR}/resources/oruvel_set_startup.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/copyright ${CMAKE_BINARY_DIR}/resources/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/oruvel)
