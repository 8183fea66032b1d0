// Verbs of the source and target lists: import, the list commands, the prefix settings and the
// views of the lists.
#include "acquire/import_files.h"
#include "classify/carrier_prefixes.h"
#include "cli/verbs.h"
#include "lists/filter_list.h"
#include "lists/list_commands.h"

namespace tessaril::cli {
namespace {

Verb OneListVerb(const char* name, const char* help,
                 void (*command)(AppState&, Frontend&, ListId)) {
  return {name, "L", help, [command](CliContext& c, const Arguments& args) {
            ExpectCount(args, 1, 1);
            command(c.state, c.frontend, ParseListId(args[0]));
          }};
}

}  // namespace

std::vector<Verb> ListVerbs() {
  return {
      {"import", "FILE...", "导入文件: append the lines of the files to the source list",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, SIZE_MAX);
         c.frontend.answers.open_files = args;
         ImportFiles(c.state, c.frontend);
       }},
      OneListVerb("sort", "号码排序: sort the list", SortList),
      OneListVerb("shuffle", "号码乱序: shuffle the list", ShuffleList),
      OneListVerb("dedupe", "消除重号: remove repeats (the list comes out sorted)", RemoveRepeats),
      OneListVerb("clear", "清空: empty the list", ClearList),
      {"filter", "L FILE", "滤除号码: take out of the list one copy per matching line of FILE",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 2, 2);
         ListId id = ParseListId(args[0]);
         c.frontend.answers.open_files = std::vector<std::string>{args[1]};
         FilterListAgainstFile(c.state, c.frontend, id);
       }},
      {"remove-non-mobile", "", "清除非手机号: remove source entries that are not mobile numbers",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 0, 0);
         RemoveNonMobileEntries(c.state, c.frontend);
       }},
      {"set-prefixes", "BEGINNINGS MOBILE UNICOM TELECOM",
       "系统设置: store and use these four prefix lists",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 4, 4);
         c.frontend.answers.SetDialog(CarrierPrefixTexts{args[0], args[1], args[2], args[3]});
         RunSettingsCommand(c.state.settings, c.state.prefixes, c.frontend);
       }},
      {"print", "L", "print the list's entries, one per line, bytes as stored",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, 1);
         const NumberList& list = c.state.List(ParseListId(args[0]));
         for (int i = 0, n = list.Count(); i < n; ++i)
           c.out << list.At(i) << '\n';
       }},
      {"status", "", "print the two counter texts, source then target",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 0, 0);
         c.out << CounterText(c.state.source, ListId::Source) << '\n'
               << CounterText(c.state.target, ListId::Target) << '\n';
       }},
  };
}

}  // namespace tessaril::cli
