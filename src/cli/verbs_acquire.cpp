// Verbs of segment entry and extraction.
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> AcquireVerbs() {
  return {};
}

}  // namespace tessaril::cli
