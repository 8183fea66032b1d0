# Sources of src/outputs: the conventions of result files (working and final names, numbered names
# when a name is taken, removal on failure) and the writer of many files open at once, shared by
# the exports and the file tools.
set(CORE_DEPENDS platform interface)
list(APPEND CORE_SOURCES
  outputs/many_output_files.cpp
  outputs/output_names.cpp
)
