# Linux backend of the platform layer.
list(APPEND ORUVEL_PLATFORM_BACKEND_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/disk_volumes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_ops_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/private_folder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/procfs_process_io.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysfs_disk_activity_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysfs_disk_rate_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysfs_disks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysfs_stat_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/user_config_folder.cpp
)

# The X server is asked whether it answers before a window is opened.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
set(ORUVEL_PLATFORM_BACKEND_LIBS PkgConfig::XCB)
