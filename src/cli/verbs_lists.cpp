// Verbs of the source and target lists: import, the list commands, the prefix settings and the
// views of the lists.
#include "acquire/import_files.h"
#include "classify/carrier_allocation.h"
#include "classify/carrier_prefixes.h"
#include "cli/verbs.h"
#include "lists/filter_list.h"
#include "lists/list_commands.h"

namespace tessaril::cli {
namespace {

Verb OneListVerb(const char* name, const char* help,
                 void (*command)(AppState&, Frontend&, ListId)) {
  return {name, {{ListArgument()}}, help, [command](CliContext& c, const ParsedArguments& args) {
            command(c.state, c.frontend, ParseListId(args.words[0]));
          }};
}

}  // namespace

std::vector<Verb> ListVerbs() {
  return {
      {"import",
       {{Words("FILE")}},
       "导入文件: append the lines of the files to the source list",
       [](CliContext& c, const ParsedArguments& args) {
         c.frontend.answers.open_files = args.words;
         ImportFiles(c.state, c.frontend);
       }},
      OneListVerb("sort", "号码排序: sort the list", SortList),
      OneListVerb("shuffle", "号码乱序: shuffle the list", ShuffleList),
      OneListVerb("dedupe", "消除重号: remove repeats (the list comes out sorted)", RemoveRepeats),
      OneListVerb("clear", "清空: empty the list", ClearList),
      {"filter",
       {{ListArgument(), Word("FILE")}},
       "滤除号码: take out of the list one copy per matching line of FILE",
       [](CliContext& c, const ParsedArguments& args) {
         ListId id = ParseListId(args.words[0]);
         c.frontend.answers.open_files = std::vector<std::string>{args.words[1]};
         FilterListAgainstFile(c.state, c.frontend, id);
       }},
      {"remove-non-mobile",
       {},
       "清除非手机号: remove source entries that are not mobile numbers",
       [](CliContext& c, const ParsedArguments&) { RemoveNonMobileEntries(c.state, c.frontend); }},
      {"set-prefixes",
       {{Word("BEGINNINGS"), Word("MOBILE"), Word("UNICOM"), Word("TELECOM")}},
       "系统设置: store and use these four prefix lists",
       [](CliContext& c, const ParsedArguments& args) {
         const Arguments& texts = args.words;
         c.frontend.answers.SetDialog(CarrierPrefixTexts{texts[0], texts[1], texts[2], texts[3]});
         RunSettingsCommand(c.state.settings, c.state.prefixes, c.frontend);
       }},
      {"set-prefixes-current",
       {},
       "系统设置 after 使用最新号段: store and use the current carrier allocation",
       [](CliContext& c, const ParsedArguments&) {
         c.frontend.answers.SetDialog(CurrentCarrierAllocation());
         RunSettingsCommand(c.state.settings, c.state.prefixes, c.frontend);
       }},
      {"print",
       {{ListArgument()}},
       "print the list's entries, one per line, bytes as stored",
       [](CliContext& c, const ParsedArguments& args) {
         const NumberList& list = c.state.List(ParseListId(args.words[0]));
         for (int i = 0, n = list.Count(); i < n; ++i)
           c.out << list.At(i) << '\n';
       }},
      {"status",
       {},
       "print the two counter texts, source then target",
       [](CliContext& c, const ParsedArguments&) {
         c.out << CounterText(c.state.source, ListId::Source) << '\n'
               << CounterText(c.state.target, ListId::Target) << '\n';
       }},
  };
}

}  // namespace tessaril::cli
