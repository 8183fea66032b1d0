# Sources of src/classify: carrier prefixes and the location database.
set(CORE_DEPENDS platform interface)
list(APPEND CORE_SOURCES
  classify/carrier_allocation.cpp
  classify/carrier_lookup.cpp
  classify/carrier_prefixes.cpp
  classify/location_data.cpp
  classify/location_db.cpp
  classify/location_files.cpp
  classify/location_import.cpp
  classify/region_tree.cpp
  classify/segment_table.cpp
)
