# Sources of src/export: the exports of a list into counted files.
set(CORE_DEPENDS lists outputs)
list(APPEND CORE_SOURCES
  export/export_all.cpp
  export/export_batches.cpp
  export/export_by_carrier.cpp
  export/export_by_region.cpp
  export/export_by_segment.cpp
  export/grouped_files.cpp
  export/output_files.cpp
  export/segment_label.cpp
  export/output_format.cpp
  export/sheet_outputs.cpp
  export/sheet_writer.cpp
)
