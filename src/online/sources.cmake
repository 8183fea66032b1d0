# Sources of src/online
list(APPEND CORE_SOURCES
)
