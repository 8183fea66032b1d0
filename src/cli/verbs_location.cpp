// Verbs of the location database and the segment picker.
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> LocationVerbs() {
  return {};
}

}  // namespace tessaril::cli
