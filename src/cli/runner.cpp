#include "cli/runner.h"

#include <map>
#include <string>

#include "cli/script.h"
#include "cli/verbs.h"
#include "lists/run_command.h"

namespace tessaril::cli {

int RunScript(std::istream& script, AppState& state, CliFrontend& frontend, std::ostream& out,
              std::ostream& err) {
  std::vector<std::string> result_files;
  return RunScript(script, state, frontend, out, err, result_files);
}

int RunScript(std::istream& script, AppState& state, CliFrontend& frontend, std::ostream& out,
              std::ostream& err, std::vector<std::string>& result_files) {
  std::map<std::string, Verb> verbs;
  for (Verb& verb : AllVerbs())
    verbs.emplace(verb.name, std::move(verb));
  CliContext context{state, frontend, out, result_files};

  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    std::string error;
    std::optional<std::vector<std::string>> words = SplitScriptLine(line, error);
    auto fail = [&](const std::string& reason) {
      out.flush();
      err << "tessaril-cli: line " << number << ": " << reason << '\n';
      return 2;
    };
    if (!error.empty())
      return fail(error);
    if (!words)
      continue;
    auto verb = verbs.find(words->front());
    if (verb == verbs.end())
      return fail("unknown command '" + words->front() + "'");
    frontend.Reset();
    try {
      const ParsedArguments parsed =
          ParseArguments(verb->second.syntax, {words->begin() + 1, words->end()});
      RunCommand(state, frontend, [&] { verb->second.run(context, parsed); });
    } catch (const UsageError& usage) {
      return fail(verb->first + ": " + usage.what());
    }
    out.flush();
    if (frontend.Failed())
      return 1;
  }
  return 0;
}

}  // namespace tessaril::cli
