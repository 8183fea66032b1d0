# Writes PAGE (a manual page) with PROGRAM --man, and PAGE.gz beside it as man-db and Debian want
# it: gzip -n leaves the time and name out, so every build of one version makes the same file.
execute_process(COMMAND ${PROGRAM} --man OUTPUT_FILE ${PAGE}.new RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${PAGE}.new)
  message(FATAL_ERROR "${PROGRAM} --man failed: ${status}")
endif()
file(RENAME ${PAGE}.new ${PAGE})
execute_process(COMMAND gzip -9 -n -f -k ${PAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip ${PAGE} failed: ${status}")
endif()
