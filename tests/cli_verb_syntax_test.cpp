// The declaration of a verb's arguments: how it parses a command's words, what its usage line
// shows, and that every verb of the table is declared in a form the parser reads as written.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/runner.h"
#include "cli/verbs.h"

namespace tessaril {
namespace {

using namespace cli;
using Strings = std::vector<std::string>;

// An export-like verb, a file-tools-like one and a picker-like one.
const Syntax kExport{{OneOf("L", {{"source"}, {"target"}}), Word("PATH")},
                     {{"--rows", "N", "rows"}, {"--single", "", "one file"}}};
const Syntax kFiles{{Words("FILE")}, {{"--out", "DIR", "folder"}}};
const Syntax kPicker{
    {Word("NAME"), {"", {{"all"}, {"range", {"FROM", "TO"}}}, Positional::Count::Optional}}};

std::string UsageErrorOf(const Syntax& syntax, const Strings& args) {
  try {
    ParseArguments(syntax, args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "(accepted)";
}

TEST(VerbSyntax, OptionsStandAnywhereAndTakeTheirValues) {
  ParsedArguments parsed =
      ParseArguments(kExport, {"--rows", "3", "source", "out.txt", "--single"});
  EXPECT_EQ(parsed.words, (Strings{"source", "out.txt"}));
  ASSERT_NE(parsed.Value("--rows"), nullptr);
  EXPECT_EQ(*parsed.Value("--rows"), "3");
  EXPECT_TRUE(parsed.Has("--single"));

  // A value is the next word whatever it looks like; "--" and "-x" are ordinary words.
  parsed = ParseArguments(kFiles, {"--out", "--rows", "--", "-x"});
  EXPECT_EQ(*parsed.Value("--out"), "--rows");
  EXPECT_EQ(parsed.words, (Strings{"--", "-x"}));

  // A verb without options takes "--x" as a word.
  EXPECT_EQ(ParseArguments({{Words("FILE")}}, {"--x.txt"}).words, Strings{"--x.txt"});
}

TEST(VerbSyntax, ChoicesOptionalAndRepeatedArguments) {
  EXPECT_EQ(ParseArguments(kPicker, {"武汉"}).words, Strings{"武汉"});
  EXPECT_EQ(ParseArguments(kPicker, {"武汉", "range", "130", "131"}).words,
            (Strings{"武汉", "range", "130", "131"}));
  EXPECT_EQ(ParseArguments(kFiles, {"a", "b", "c"}).words, (Strings{"a", "b", "c"}));
}

TEST(VerbSyntax, UsageErrorsSayWhy) {
  struct Case {
    const Syntax& syntax;
    Strings args;
    std::string reason;
  };
  const Case cases[] = {
      {kExport, {"source"}, "missing arguments"},
      {kExport, {"source", "a", "b"}, "too many arguments"},
      {kExport, {"both", "a"}, "expected source or target, not 'both'"},
      {kExport, {"source", "a", "--wide"}, "unknown option '--wide'"},
      {kExport, {"source", "a", "--rows"}, "option '--rows' needs a value"},
      {kExport, {"source", "a", "--single", "--single"}, "option '--single' given twice"},
      {kExport, {"source", "a", "--rows", "1", "--rows", "2"}, "option '--rows' given twice"},
      {kFiles, {"--out", "d"}, "missing arguments"},
      {kPicker, {"武汉", "range", "130"}, "range needs FROM and TO"},
      {kPicker, {"武汉", "all", "x"}, "too many arguments"},
      {kPicker, {"武汉", "cmcc"}, "expected all or range, not 'cmcc'"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UsageErrorOf(c.syntax, c.args), c.reason) << ::testing::PrintToString(c.args);
}

TEST(VerbSyntax, UsageLineShowsWhatTheParserReads) {
  EXPECT_EQ(UsageArguments(kExport), "L PATH [--rows N] [--single]");
  // Options go before a repeated last argument.
  EXPECT_EQ(UsageArguments(kFiles), "[--out DIR] FILE...");
  EXPECT_EQ(UsageArguments(kPicker), "NAME [all|range FROM TO]");
  EXPECT_EQ(UsageArguments({}), "");

  std::ostringstream help;
  WriteOptionHelp(kExport, "  ", help);
  EXPECT_EQ(help.str(), "  --rows N  rows\n  --single  one file\n");
}

// A verb added to the table must be one the parser reads as its usage line says: names once,
// options spelled "--name", only the last argument optional or repeated, every option explained.
TEST(VerbSyntax, EveryVerbIsDeclaredSoundly) {
  std::set<std::string> names;
  for (const Verb& verb : AllVerbs()) {
    SCOPED_TRACE(verb.name);
    EXPECT_TRUE(names.insert(verb.name).second) << "declared twice";
    EXPECT_FALSE(verb.help.empty());
    const std::vector<Positional>& positionals = verb.syntax.positionals;
    for (size_t i = 0; i + 1 < positionals.size(); ++i)
      EXPECT_EQ(positionals[i].count, Positional::Count::One) << "argument " << i;
    for (const Positional& positional : positionals)
      EXPECT_FALSE(positional.name.empty() && positional.choices.empty());
    std::set<std::string> options;
    for (const Option& option : verb.syntax.options) {
      EXPECT_TRUE(options.insert(option.name).second) << option.name;
      EXPECT_EQ(option.name.rfind("--", 0), 0u) << option.name;
      EXPECT_GT(option.name.size(), 2u);
      EXPECT_FALSE(option.help.empty()) << option.name;
    }
  }
}

TEST(VerbSyntax, HelpListsEachVerbWithItsOptions) {
  std::ostringstream out;
  PrintUsage(out);
  std::string help = out.str();
  for (const char* line :
       {"\n  export-all L PATH [--rows N] [--separator S] [--blank K] [--format F]\n",
        "\n  merge2 [--out DIR] FILE...\n",
        "\n  move-type DIR mobile|unicom|telecom|range START END\n",
        "\n  city-segments NAME [all|mobile|unicom|telecom|range FROM TO]\n",
        "\n      --blank K      an empty line after every K rows\n", "\n  status\n"}) {
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace tessaril
