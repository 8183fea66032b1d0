# Sources of src/platform: what touches the system (files, code pages, memory, settings) and the
# text helpers on top of it. One file per platform behind each system header.
set(CORE_DEPENDS)
list(APPEND CORE_SOURCES
  platform/codepage.cpp
  platform/data_folder.cpp
  platform/file_system.cpp
  platform/man_page.cpp
  platform/output_guard.cpp
  platform/settings_store.cpp
  platform/text.cpp
  platform/text_file.cpp
)
if(WIN32)
  list(APPEND CORE_SOURCES
    platform/codepage_windows.cpp
    platform/file_system_windows.cpp
    platform/memory_pages_windows.cpp
    platform/platform_windows.cpp
    platform/wide_text_windows.cpp
  )
else()
  list(APPEND CORE_SOURCES
    platform/codepage_iconv.cpp
    platform/file_system_posix.cpp
    platform/memory_pages_posix.cpp
    platform/platform_posix.cpp
  )
endif()
