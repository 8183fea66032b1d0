#include <cerrno>
#include <cstdlib>

#include "cli/verbs.h"

namespace tessaril::cli {

std::vector<Verb> AllVerbs() {
  std::vector<Verb> all;
  for (auto group : {
           ListVerbs,
           AcquireVerbs,
           MoveVerbs,
           LocationVerbs,
           ExportVerbs,
           FileToolVerbs,
       }) {
    for (Verb& verb : group())
      all.push_back(std::move(verb));
  }
  return all;
}

Positional ListArgument() {
  return OneOf("L", {{"source"}, {"target"}});
}

ListId ParseListId(const std::string& word) {
  if (word == "source")
    return ListId::Source;
  if (word == "target")
    return ListId::Target;
  throw UsageError("expected source or target, not '" + word + "'");
}

long long ParseInteger(const std::string& word, const char* what) {
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || errno == ERANGE)
    throw UsageError(std::string("expected a whole number for ") + what + ", not '" + word + "'");
  return value;
}

}  // namespace tessaril::cli
