#include "cli/verb_syntax.h"

#include <algorithm>

namespace tessaril::cli {
namespace {

// "a", "a or b", "a, b or c".
std::string JoinWithOr(const std::vector<std::string>& items, const char* last = " or ") {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      text += i + 1 == items.size() ? last : ", ";
    text += items[i];
  }
  return text;
}

// Only words that begin with "--" and go on are options; "--" and "-x" are ordinary words.
bool LooksLikeOption(const std::string& word) {
  return word.size() > 2 && word.compare(0, 2, "--") == 0;
}

// Checks `words[at]` against a choice and skips the words the chosen word takes.
size_t MatchChoice(const Positional& positional, const Arguments& words, size_t at) {
  const std::string& word = words[at];
  auto chosen = std::find_if(positional.choices.begin(), positional.choices.end(),
                             [&](const Choice& choice) { return choice.word == word; });
  if (chosen == positional.choices.end()) {
    std::vector<std::string> allowed;
    for (const Choice& choice : positional.choices)
      allowed.push_back(choice.word);
    throw UsageError("expected " + JoinWithOr(allowed) + ", not '" + word + "'");
  }
  ++at;
  if (words.size() - at < chosen->then.size())
    throw UsageError(word + " needs " + JoinWithOr(chosen->then, " and "));
  return at + chosen->then.size();
}

void MatchPositionals(const std::vector<Positional>& positionals, const Arguments& words) {
  size_t at = 0;
  for (const Positional& positional : positionals) {
    if (at == words.size()) {
      if (positional.count == Positional::Count::Optional)
        break;
      throw UsageError("missing arguments");
    }
    do {
      at = positional.choices.empty() ? at + 1 : MatchChoice(positional, words, at);
    } while (positional.count == Positional::Count::OneOrMore && at < words.size());
  }
  if (at < words.size())
    throw UsageError("too many arguments");
}

std::string Shown(const Positional& positional) {
  std::string text = positional.name;
  if (text.empty()) {
    for (const Choice& choice : positional.choices) {
      text += text.empty() ? "" : "|";
      text += choice.word;
      for (const std::string& then : choice.then)
        text += " " + then;
    }
  }
  switch (positional.count) {
    case Positional::Count::One:
      return text;
    case Positional::Count::Optional:
      return "[" + text + "]";
    case Positional::Count::OneOrMore:
      return text + "...";
  }
  return text;
}

std::string Shown(const Option& option) {
  return option.value.empty() ? option.name : option.name + " " + option.value;
}

}  // namespace

Positional Word(std::string name) {
  return {std::move(name), {}, Positional::Count::One};
}

Positional Words(std::string name) {
  return {std::move(name), {}, Positional::Count::OneOrMore};
}

Positional OneOf(std::string name, std::vector<Choice> choices) {
  return {std::move(name), std::move(choices), Positional::Count::One};
}

const std::string* ParsedArguments::Value(const std::string& option) const {
  auto it = options.find(option);
  return it == options.end() ? nullptr : &it->second;
}

ParsedArguments ParseArguments(const Syntax& syntax, const Arguments& args) {
  ParsedArguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    // A verb without options takes every word as it stands, "--x" included.
    if (syntax.options.empty() || !LooksLikeOption(word)) {
      parsed.words.push_back(word);
      continue;
    }
    auto option = std::find_if(syntax.options.begin(), syntax.options.end(),
                               [&](const Option& o) { return o.name == word; });
    if (option == syntax.options.end())
      throw UsageError("unknown option '" + word + "'");
    if (parsed.Has(word))
      throw UsageError("option '" + word + "' given twice");
    if (option->value.empty()) {
      parsed.options[word] = "";
      continue;
    }
    if (i + 1 >= args.size())
      throw UsageError("option '" + word + "' needs a value");
    parsed.options[word] = args[++i];
  }
  MatchPositionals(syntax.positionals, parsed.words);
  return parsed;
}

std::string UsageArguments(const Syntax& syntax) {
  std::vector<std::string> parts;
  for (const Positional& positional : syntax.positionals)
    parts.push_back(Shown(positional));
  // The options go before a repeated last argument ("[--out DIR] FILE..."), else at the end.
  bool repeated_last = !syntax.positionals.empty() &&
                       syntax.positionals.back().count == Positional::Count::OneOrMore;
  auto at = repeated_last ? parts.end() - 1 : parts.end();
  for (const Option& option : syntax.options)
    at = parts.insert(at, "[" + Shown(option) + "]") + 1;
  std::string text;
  for (const std::string& part : parts)
    text += (text.empty() ? "" : " ") + part;
  return text;
}

void WriteOptionHelp(const Syntax& syntax, const std::string& indent, std::ostream& out) {
  size_t width = 0;
  for (const Option& option : syntax.options)
    width = std::max(width, Shown(option).size());
  for (const Option& option : syntax.options) {
    std::string shown = Shown(option);
    out << indent << shown << std::string(width - shown.size() + 2, ' ') << option.help << '\n';
  }
}

}  // namespace tessaril::cli
