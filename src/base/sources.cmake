# Sources of src/base: what every subsystem shares.
list(APPEND CORE_SOURCES
  base/codepage.cpp
  base/data_folder.cpp
  base/file_system.cpp
  base/gathered_keys.cpp
  base/key_table.cpp
  base/man_page.cpp
  base/number_sort.cpp
  base/number_table.cpp
  base/output_guard.cpp
  base/settings_store.cpp
  base/side_by_side.cpp
  base/text.cpp
  base/text_file.cpp
  base/word_array.cpp
)
# What touches the system: one file per platform behind the headers of src/base.
if(WIN32)
  list(APPEND CORE_SOURCES
    base/codepage_windows.cpp
    base/file_system_windows.cpp
    base/memory_pages_windows.cpp
    base/platform_windows.cpp
    base/wide_text_windows.cpp
  )
else()
  list(APPEND CORE_SOURCES
    base/codepage_iconv.cpp
    base/file_system_posix.cpp
    base/memory_pages_posix.cpp
    base/platform_posix.cpp
  )
endif()
