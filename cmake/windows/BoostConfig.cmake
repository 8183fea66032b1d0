# Boost for the Windows cross-build: the headers of Boost 1.81, whose Regex needs no compiled
# library. Every requested component is offered as an interface target on the headers.
get_filename_component(_tessaril_boost_include "${CMAKE_CURRENT_LIST_DIR}/../../../include" ABSOLUTE)
if(NOT TARGET Boost::headers)
  add_library(Boost::headers INTERFACE IMPORTED)
  set_target_properties(Boost::headers PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_tessaril_boost_include}")
endif()
foreach(_tessaril_component IN LISTS Boost_FIND_COMPONENTS)
  if(NOT TARGET Boost::${_tessaril_component})
    add_library(Boost::${_tessaril_component} INTERFACE IMPORTED)
    set_target_properties(Boost::${_tessaril_component} PROPERTIES
      INTERFACE_LINK_LIBRARIES Boost::headers)
  endif()
  set(Boost_${_tessaril_component}_FOUND TRUE)
endforeach()
set(Boost_INCLUDE_DIRS "${_tessaril_boost_include}")
set(Boost_VERSION 1.81.0)
set(Boost_FOUND TRUE)
