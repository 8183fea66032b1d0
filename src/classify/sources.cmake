# Sources of src/classify: carrier prefixes and the location database.
set(CORE_DEPENDS platform interface)
list(APPEND CORE_SOURCES
  classify/carrier_lookup.cpp
  classify/carrier_prefixes.cpp
  classify/location_data.cpp
  classify/location_db.cpp
  classify/region_tree.cpp
)
