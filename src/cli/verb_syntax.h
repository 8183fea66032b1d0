#pragma once

#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaril::cli {

// Thrown for arguments that do not form a valid command (exit status 2).
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using Arguments = std::vector<std::string>;

// A word a positional argument may be; some take words of their own ("range FROM TO").
struct Choice {
  std::string word;
  std::vector<std::string> then = {};
};

// A positional argument: any word, or one of `choices`. It is shown as `name`, or as its choices
// when it has no name. Only the last positional argument may be optional or repeated.
struct Positional {
  enum class Count { One, Optional, OneOrMore };
  std::string name;
  std::vector<Choice> choices = {};
  Count count = Count::One;
};

// An option "--name": it takes the next word as its value when `value` names one, else it is a
// flag. Options may stand anywhere among the positional arguments, each at most once.
struct Option {
  std::string name;
  std::string value;
  std::string help;
};

// What a verb takes. The parser and the help text are both derived from it.
struct Syntax {
  std::vector<Positional> positionals = {};
  std::vector<Option> options = {};
};

// Shorthands for the common positional arguments.
Positional Word(std::string name);                                // NAME
Positional Words(std::string name);                               // NAME...
Positional OneOf(std::string name, std::vector<Choice> choices);  // NAME, or a|b|c unnamed

// A command's words as its syntax reads them.
struct ParsedArguments {
  // The positional words in order, with the words a choice takes after it.
  Arguments words;
  // The options given, with their values ("" for a flag).
  std::map<std::string, std::string> options;

  // The value of an option, or nullptr when it was not given.
  const std::string* Value(const std::string& option) const;
  bool Has(const std::string& option) const { return options.count(option) != 0; }
};

// Reads `args` by `syntax`; throws UsageError with the reason when they do not fit.
ParsedArguments ParseArguments(const Syntax& syntax, const Arguments& args);

// "L PATH [--rows N]": the arguments as the verb's usage line shows them.
std::string UsageArguments(const Syntax& syntax);

// One line per option, "--rows N  help", aligned, each starting with `indent`.
void WriteOptionHelp(const Syntax& syntax, const std::string& indent, std::ostream& out);

}  // namespace tessaril::cli
