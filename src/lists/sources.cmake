# Sources of src/lists: the number lists and the commands on them.
set(CORE_DEPENDS engine classify)
list(APPEND CORE_SOURCES
  lists/run_command.cpp
  lists/filter_list.cpp
  lists/list_commands.cpp
  lists/move_by_features.cpp
  lists/move_commands.cpp
  lists/number_list.cpp
)
