# The manual pages of both programs, section 1. Each program writes its own (--man) from the
# declarations its --help comes from, so a page cannot drift from the program; the build runs it
# whenever the program changes.
set(TESSARIL_MAN_PAGES)
foreach(program tessaril-cli tessaril)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DPAGE=${page}
            -P ${CMAKE_SOURCE_DIR}/packaging/write_man_page.cmake
    DEPENDS ${program} ${CMAKE_SOURCE_DIR}/packaging/write_man_page.cmake
    COMMENT "Writing the manual page ${program}.1"
    VERBATIM)
  list(APPEND TESSARIL_MAN_PAGES ${page}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${TESSARIL_MAN_PAGES})
install(FILES ${TESSARIL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
