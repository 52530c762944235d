# Windows backend of the platform layer.
list(APPEND ORUVEL_PLATFORM_BACKEND_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_ops_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pdh_disk_activity_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pdh_disk_rate_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/backend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/task_scheduler_login_start_registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win_process_io.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win_text.cpp
)
set(ORUVEL_PLATFORM_BACKEND_LIBS pdh psapi secur32 advapi32 ole32 oleaut32 shell32 taskschd uuid)
