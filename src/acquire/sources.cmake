# Sources of src/acquire: every way numbers enter the source list.
set(CORE_DEPENDS lists)
list(APPEND CORE_SOURCES
  acquire/import_files.cpp
  acquire/clipboard_commands.cpp
  acquire/extract.cpp
  acquire/segment_entry.cpp
  acquire/segment_picker.cpp
  acquire/csv_reader.cpp
  acquire/sheet_import.cpp
  acquire/sheet_reader.cpp
  acquire/xlsx_reader.cpp
)
