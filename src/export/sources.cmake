# Sources of src/export: output conventions and the exports.
list(APPEND CORE_SOURCES
  export/output_files.cpp
)
