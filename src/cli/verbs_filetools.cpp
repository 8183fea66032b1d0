// Verbs of the file tools.
#include <algorithm>
#include <map>

#include "cli/verbs.h"
#include "filetools/blacklist.h"
#include "filetools/compare_files.h"
#include "filetools/file_tools.h"
#include "filetools/merge_files.h"

namespace tessaril::cli {
namespace {

// The arguments of a file-tools verb: its options (with their values) and its other words.
struct ToolArguments {
  std::map<std::string, std::string> options;
  Arguments words;
};

// `with_value` lists the options that take a value, `flags` those that do not.
ToolArguments SplitToolArguments(const Arguments& args,
                                 std::initializer_list<const char*> with_value,
                                 std::initializer_list<const char*> flags = {}) {
  ToolArguments split;
  auto is_one_of = [](const std::string& word, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return word == n; });
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
      if (is_one_of(word, with_value)) {
        if (i + 1 >= args.size())
          throw UsageError(word + " needs a value");
        split.options[word] = args[++i];
      } else if (is_one_of(word, flags)) {
        split.options[word] = "";
      } else {
        throw UsageError("unknown option " + word);
      }
    } else {
      split.words.push_back(word);
    }
  }
  return split;
}

// Runs one command of the file-tools window as the window would: its three settings read when it
// opens, "改变路径" ticked with `--out`, the result-file list kept for the script, the settings
// written when it closes.
template <typename Command>
void RunFileTool(CliContext& c, const ToolArguments& split, Command&& command) {
  FileTools tools;
  LoadFileToolsSettings(c.state.settings, tools);
  auto out = split.options.find("--out");
  tools.change_path = out != split.options.end() ? 1 : 0;
  if (out != split.options.end())
    tools.str_path = out->second;
  tools.result_files = c.state.result_files;
  command(tools);
  c.state.result_files = tools.result_files;
  SaveFileToolsSettings(c.state.settings, tools);
}

Verb CompareVerb(const char* name, const char* help,
                 void (*command)(AppState&, Frontend&, FileTools&)) {
  return {name, "A B [--out DIR]", help, [command](CliContext& c, const Arguments& args) {
            ToolArguments split = SplitToolArguments(args, {"--out"});
            ExpectCount(split.words, 2, 2);
            RunFileTool(c, split, [&](FileTools& tools) {
              tools.file_a = split.words[0];
              tools.file_b = split.words[1];
              command(c.state, c.frontend, tools);
            });
          }};
}

Verb MergeVerb(const char* name, const char* help,
               void (*command)(AppState&, Frontend&, FileTools&)) {
  return {name, "[--out DIR] FILE...", help, [command](CliContext& c, const Arguments& args) {
            ToolArguments split = SplitToolArguments(args, {"--out"});
            ExpectCount(split.words, 1, SIZE_MAX);
            RunFileTool(c, split, [&](FileTools& tools) {
              tools.source_files = split.words;
              command(c.state, c.frontend, tools);
            });
          }};
}

std::vector<std::string> CommaList(const std::string& text) {
  std::vector<std::string> items;
  size_t from = 0;
  while (from <= text.size()) {
    size_t comma = text.find(',', from);
    if (comma == std::string::npos)
      comma = text.size();
    if (comma > from)
      items.push_back(text.substr(from, comma - from));
    from = comma + 1;
  }
  return items;
}

// The blacklist dialog's values: what it opens with, changed by the options given.
BlacklistValues BlacklistAnswers(CliContext& c, const ToolArguments& split) {
  BlacklistValues values = LoadBlacklistValues(c.state.settings, c.state.data_folder);
  auto option = [&](const char* name) -> const std::string* {
    auto it = split.options.find(name);
    return it == split.options.end() ? nullptr : &it->second;
  };
  if (const std::string* path = option("--blacklist"))
    values.blacklist_path = *path;
  if (const std::string* provinces = option("--provinces")) {
    std::vector<std::string> names = CommaList(*provinces);
    values.all_regions = 0;
    values.ticked_regions.clear();
    for (const char* province : kProvinceTable) {
      if (std::find(names.begin(), names.end(), province) != names.end())
        values.ticked_regions.emplace_back(province);
    }
    for (const std::string& name : names) {
      if (std::find(kProvinceTable.begin(), kProvinceTable.end(), name) == kProvinceTable.end())
        throw UsageError("unknown province '" + name + "'");
    }
  }
  if (const std::string* carriers = option("--carriers")) {
    values.all_carriers = 0;
    values.mobile = values.unicom = values.telecom = 0;
    for (const std::string& carrier : CommaList(*carriers)) {
      if (carrier == "mobile")
        values.mobile = 1;
      else if (carrier == "unicom")
        values.unicom = 1;
      else if (carrier == "telecom")
        values.telecom = 1;
      else
        throw UsageError("expected mobile, unicom or telecom, not '" + carrier + "'");
    }
  }
  if (const std::string* mode = option("--mode")) {
    long long value = ParseInteger(*mode, "--mode");
    if (value < 0 || value > 3)
      throw UsageError("--mode is 0, 1, 2 or 3");
    values.export_mode = static_cast<int>(value);
  }
  if (option("--dedupe"))
    values.remove_duplicates = 1;
  if (option("--unrecognised"))
    values.export_unrecognised = 1;
  if (const std::string* order = option("--order")) {
    if (*order == "keep")
      values.order = 0;
    else if (*order == "sort")
      values.order = 1;
    else if (*order == "shuffle")
      values.order = 2;
    else
      throw UsageError("--order is keep, sort or shuffle");
  }
  if (option("--folder"))
    values.create_folder = 1;
  return values;
}

}  // namespace

std::vector<Verb> FileToolVerbs() {
  return {
      CompareVerb("compare2",
                  "两个文件对比倒出2个文件; --out ticks 改变路径 with DIR as the output folder, "
                  "without it 改变路径 is unticked",
                  CompareIntoTwoFiles),
      CompareVerb("compare3", "两个文件对比倒出3个文件", CompareIntoThreeFiles),
      MergeVerb("merge2", "整合->2个文件: FILE... is the source-file list, first to last",
                MergeIntoTwoFiles),
      MergeVerb("merge-many", "整合->多个文件", MergeIntoManyFiles),
      {"blacklist", "[--out DIR] [OPTION...] FILE...",
       "滤除黑名单: --blacklist FILE, --provinces A,B,... (unticks 全部地区 and ticks exactly "
       "these provinces), --carriers mobile,unicom,telecom (unticks 全部运营商 and ticks exactly "
       "these), --mode 0|1|2|3, --dedupe, --unrecognised, --order keep|sort|shuffle, --folder",
       [](CliContext& c, const Arguments& args) {
         ToolArguments split = SplitToolArguments(
             args, {"--out", "--blacklist", "--provinces", "--carriers", "--mode", "--order"},
             {"--dedupe", "--unrecognised", "--folder"});
         ExpectCount(split.words, 1, SIZE_MAX);
         c.frontend.answers.SetDialog(BlacklistAnswers(c, split));
         RunFileTool(c, split, [&](FileTools& tools) {
           tools.source_files = split.words;
           FilterBlacklistFiles(c.state, c.frontend, tools);
         });
       }},
      {"results", "", "prints the result-file list, top to bottom, one path per line",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 0, 0);
         for (const std::string& path : c.state.result_files)
           c.out << path << '\n';
       }},
  };
}

}  // namespace tessaril::cli
