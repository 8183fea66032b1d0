// Verbs of moves between the source and the target list.
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> MoveVerbs() {
  return {};
}

}  // namespace tessaril::cli
