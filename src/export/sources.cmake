# Sources of src/export
list(APPEND CORE_SOURCES
)
