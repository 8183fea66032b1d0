# Sources of src/export: output conventions and the exports.
list(APPEND CORE_SOURCES
  export/export_all.cpp
  export/export_batches.cpp
  export/output_files.cpp
)
