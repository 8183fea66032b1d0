// The manual pages: roff that man reads as the text was written, and tessaril-cli's page naming
// every verb of the table as --help shows it.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/runner.h"
#include "cli/verbs.h"
#include "platform/app_info.h"
#include "platform/man_page.h"

namespace tessaril {
namespace {

std::string Written(const ManPage& page) {
  std::ostringstream out;
  WriteManPage(page, out);
  return out.str();
}

TEST(ManPage, TextThatRoffWouldReadAsRequestsIsEscaped) {
  struct Case {
    ManEntry entry;
    const char* roff;
  };
  const Case cases[] = {
      {{"--rows", "N", "rows per file"}, ".TP\n\\fB\\-\\-rows\\fR N\nrows per file\n"},
      {{"status", "", "print the counts"}, ".TP\n\\fBstatus\\fR\nprint the counts\n"},
      // A line that begins with a dot or a quote would be a request; a backslash an escape.
      {{"x", "", ".txt files\n'quoted'"}, ".TP\n\\fBx\\fR\n\\&.txt files\n\\&'quoted'\n"},
      {{"x", "", "C:\\data a.b"}, ".TP\n\\fBx\\fR\nC:\\edata a.b\n"},
      {{"merge", "FILE...", "merge", {{"--out", "DIR", "folder"}}},
       ".TP\n\\fBmerge\\fR FILE...\nmerge\n.RS\n.TP\n\\fB\\-\\-out\\fR DIR\nfolder\n.RE\n"},
  };
  for (const Case& c : cases) {
    const std::string page = Written({"p", "s", "", {{"S", "", {c.entry}}}});
    EXPECT_NE(page.find(".SH S\n" + std::string(c.roff)), std::string::npos) << c.entry.name << "\n"
                                                                             << page;
  }
}

TEST(ManPage, HeaderNamesProgramVersionAndSummary) {
  const std::string page = Written({"tessaril-cli", "runs scripts", "[SCRIPT]", {}});
  EXPECT_EQ(page.rfind(".TH TESSARIL\\-CLI 1 \"\" \"" + std::string(kApplicationName) + " " +
                           kApplicationVersion + "\" \"User Commands\"\n",
                       0),
            0u)
      << page;
  EXPECT_NE(page.find(".SH NAME\ntessaril\\-cli \\- runs scripts\n"), std::string::npos);
  EXPECT_NE(page.find(".SH SYNOPSIS\n\\fBtessaril\\-cli\\fR [SCRIPT]\n"), std::string::npos);
  EXPECT_EQ(VersionLine("tessaril-cli"), "tessaril-cli " + std::string(kApplicationVersion));
}

// The page lists each verb of the table, in --help's order, with the arguments and the options
// that --help shows and the parser reads.
TEST(ManPage, CliPageNamesEveryVerbAsHelpShowsIt) {
  const ManPage page = cli::CliManualPage();
  const ManSection* commands = nullptr;
  for (const ManSection& section : page.sections) {
    if (section.title == "COMMANDS")
      commands = &section;
  }
  ASSERT_NE(commands, nullptr);
  const std::vector<cli::Verb> verbs = cli::AllVerbs();
  ASSERT_EQ(commands->entries.size(), verbs.size());
  for (size_t i = 0; i < verbs.size(); ++i) {
    const ManEntry& entry = commands->entries[i];
    const cli::Verb& verb = verbs[i];
    EXPECT_EQ(entry.name, verb.name);
    EXPECT_EQ(entry.arguments, cli::UsageArguments(verb.syntax)) << verb.name;
    EXPECT_EQ(entry.text, verb.help) << verb.name;
    ASSERT_EQ(entry.entries.size(), verb.syntax.options.size()) << verb.name;
    for (size_t j = 0; j < entry.entries.size(); ++j) {
      EXPECT_EQ(entry.entries[j].name, verb.syntax.options[j].name);
      EXPECT_EQ(entry.entries[j].arguments, verb.syntax.options[j].value);
    }
  }
  // And the written page holds each of them.
  const std::string roff = Written(page);
  for (const cli::Verb& verb : verbs) {
    std::ostringstream one;
    WriteManPage({"p", "", "", {{"S", "", {{verb.name, cli::UsageArguments(verb.syntax), ""}}}}},
                 one);
    const std::string text = one.str();
    const std::string item = text.substr(text.find(".TP\n"));
    EXPECT_NE(roff.find(item.substr(0, item.size() - 1)), std::string::npos) << verb.name;
  }
}

}  // namespace
}  // namespace tessaril
