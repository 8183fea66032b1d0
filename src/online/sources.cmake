# Sources of src/online: the HTTP client, the update check, the notice page and advertisements.
set(CORE_DEPENDS platform interface)
list(APPEND CORE_SOURCES
  online/advertisements.cpp
  online/http_get_client.cpp
  online/http_transfer.cpp
  online/notice_page.cpp
  online/update_check.cpp
)
