# Linux backend of the platform layer.
list(APPEND ORUVEL_PLATFORM_BACKEND_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_ops_posix.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform_services_linux.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysfs_disk_rate_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysfs_disks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/user_config_folder.cpp
)
