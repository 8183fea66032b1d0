# Installation as the Filesystem Hierarchy Standard has it: the programs in bin/, their manual
# pages in share/man/man1/, the data files in share/korvanetessaril/ (where a program without
# data beside it looks), the desktop entry and its icon where desktops find them.
include(GNUInstallDirs)
set(TESSARIL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/korvanetessaril)

include(${CMAKE_CURRENT_LIST_DIR}/man_pages.cmake)

install(TARGETS tessaril-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tessaril)
  install(TARGETS tessaril RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/korvanetessaril.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/korvanetessaril.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/help.txt DESTINATION ${TESSARIL_INSTALL_DATADIR})
if(TARGET location_data)
  install(FILES ${CMAKE_BINARY_DIR}/addrdat/sms.dll DESTINATION ${TESSARIL_INSTALL_DATADIR}/addrdat)
  install(FILES ${CMAKE_BINARY_DIR}/add.txt DESTINATION ${TESSARIL_INSTALL_DATADIR})
endif()
