// Verbs of the file tools.
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> FileToolVerbs() {
  return {};
}

}  // namespace tessaril::cli
