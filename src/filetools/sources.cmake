# Sources of src/filetools
list(APPEND CORE_SOURCES
)
