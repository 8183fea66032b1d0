// Verbs of the exports.
#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> ExportVerbs() {
  return {};
}

}  // namespace tessaril::cli
