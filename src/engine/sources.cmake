# Sources of src/engine: the number engine (packed words, radix sorts, tables of keys, the line
# rule). It knows files and memory only through the platform layer, and nothing of the user.
set(CORE_DEPENDS platform)
list(APPEND CORE_SOURCES
  engine/gathered_keys.cpp
  engine/key_table.cpp
  engine/number_sort.cpp
  engine/number_table.cpp
  engine/side_by_side.cpp
  engine/word_array.cpp
)
