// Large arrays on Windows: committed virtual memory (zeroed by the system, 64 KiB aligned; huge
// pages need a privilege desktop users lack, so none are asked for).
#include <windows.h>

#include "platform/memory_pages.h"

namespace tessaril {

void* MapZeroedPages(std::size_t bytes, std::size_t /*alignment*/) {
  return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void ReleasePageTail(void* pages, std::size_t kept, std::size_t bytes) {
  // A reservation is released only as a whole; its tail pages are decommitted.
  if (kept < bytes)
    VirtualFree(static_cast<char*>(pages) + kept, bytes - kept, MEM_DECOMMIT);
}

void UnmapPages(void* pages, std::size_t /*bytes*/) {
  VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace tessaril
