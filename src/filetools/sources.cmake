# Sources of src/filetools: the file-tools window, comparison, merge and blacklist.
set(CORE_DEPENDS acquire outputs)
list(APPEND CORE_SOURCES
  filetools/blacklist.cpp
  filetools/blacklist_filter.cpp
  filetools/blacklist_outputs.cpp
  filetools/blacklist_settings.cpp
  filetools/compare_files.cpp
  filetools/file_tools.cpp
  filetools/merge_files.cpp
  filetools/reorder_lines.cpp
)
