// Large arrays on Linux: anonymous mappings trimmed to huge-page boundaries.
#include <sys/mman.h>

#include <cstdint>

#include "platform/memory_pages.h"

namespace tessaril {
void* MapZeroedPages(std::size_t bytes, std::size_t alignment) {
  void* p =
      mmap(nullptr, bytes + alignment, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED)
    return nullptr;
  // Trim the mapping to an aligned range.
  char* base = static_cast<char*>(p);
  char* aligned = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(base) + alignment - 1) &
                                          ~(alignment - 1));
  if (aligned > base)
    munmap(base, static_cast<std::size_t>(aligned - base));
  const std::size_t tail = alignment - static_cast<std::size_t>(aligned - base);
  if (tail > 0)
    munmap(aligned + bytes, tail);
  madvise(aligned, bytes, MADV_HUGEPAGE);
  return aligned;
}

void ReleasePageTail(void* pages, std::size_t kept, std::size_t bytes) {
  if (kept < bytes)
    munmap(static_cast<char*>(pages) + kept, bytes - kept);
}

void UnmapPages(void* pages, std::size_t bytes) {
  munmap(pages, bytes);
}

}  // namespace tessaril
