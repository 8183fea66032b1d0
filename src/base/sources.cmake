# Sources of src/base: what every subsystem shares.
list(APPEND CORE_SOURCES
  base/codepage.cpp
  base/data_folder.cpp
  base/file_system.cpp
  base/key_table.cpp
  base/number_table.cpp
  base/output_guard.cpp
  base/settings_store.cpp
  base/text.cpp
  base/text_file.cpp
  base/word_array.cpp
)
