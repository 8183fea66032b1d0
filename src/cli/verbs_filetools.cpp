// Verbs of the file tools.
#include <algorithm>

#include "cli/verbs.h"
#include "filetools/blacklist.h"
#include "filetools/compare_files.h"
#include "filetools/file_tools.h"
#include "filetools/merge_files.h"

namespace tessaril::cli {
namespace {

// Every file-tools command takes it.
const Option kOutOption{"--out", "DIR",
                        "ticks 改变路径 with DIR as the output folder; without it 改变路径 is "
                        "unticked"};

// Runs one command of the file-tools window as the window would: its three settings read when it
// opens, "改变路径" ticked with `--out`, the result-file list kept for the script, the settings
// written when it closes.
template <typename Command>
void RunFileTool(CliContext& c, const ParsedArguments& args, Command&& command) {
  FileTools tools;
  LoadFileToolsSettings(c.state.settings, tools);
  const std::string* out = args.Value("--out");
  tools.change_path = out ? 1 : 0;
  if (out)
    tools.str_path = *out;
  tools.result_files = c.result_files;
  command(tools);
  c.result_files = tools.result_files;
  SaveFileToolsSettings(c.state.settings, tools);
}

Verb CompareVerb(const char* name, const char* help,
                 void (*command)(AppState&, Frontend&, FileTools&)) {
  return {name,
          {{Word("A"), Word("B")}, {kOutOption}},
          help,
          [command](CliContext& c, const ParsedArguments& args) {
            RunFileTool(c, args, [&](FileTools& tools) {
              tools.file_a = args.words[0];
              tools.file_b = args.words[1];
              command(c.state, c.frontend, tools);
            });
          }};
}

Verb MergeVerb(const char* name, const char* help,
               void (*command)(AppState&, Frontend&, FileTools&)) {
  return {name,
          {{Words("FILE")}, {kOutOption}},
          help,
          [command](CliContext& c, const ParsedArguments& args) {
            RunFileTool(c, args, [&](FileTools& tools) {
              tools.source_files = args.words;
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
BlacklistValues BlacklistAnswers(CliContext& c, const ParsedArguments& args) {
  BlacklistValues values = LoadBlacklistValues(c.state.settings, c.state.data_folder);
  auto option = [&](const char* name) { return args.Value(name); };
  if (const std::string* path = option("--blacklist"))
    values.blacklist_path = *path;
  if (const std::string* provinces = option("--provinces")) {
    std::vector<std::string> names = CommaList(*provinces);
    values.all_regions = 0;
    values.ticked_regions.clear();
    for (std::string_view province : kProvinceTable) {
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
      CompareVerb("compare2", "两个文件对比倒出2个文件", CompareIntoTwoFiles),
      CompareVerb("compare3", "两个文件对比倒出3个文件", CompareIntoThreeFiles),
      MergeVerb("merge2", "整合->2个文件: FILE... is the source-file list, first to last",
                MergeIntoTwoFiles),
      MergeVerb("merge-many", "整合->多个文件", MergeIntoManyFiles),
      {"blacklist",
       {.positionals = {Words("FILE")},
        .options =
            {
                kOutOption,
                {"--blacklist", "FILE", "选择黑名单文件"},
                {"--provinces", "A,B,...",
                 "unticks 全部地区 and ticks exactly these provinces, no others"},
                {"--carriers", "mobile,unicom,telecom",
                 "unticks 全部运营商 and ticks exactly these"},
                {"--mode", "0|1|2|3", "地区+运营商, 地区, 运营商 or 不区分"},
                {"--dedupe", "", "ticks 去除重复号码"},
                {"--unrecognised", "", "ticks 导出未识别号码"},
                {"--order", "keep|sort|shuffle", "保持原序, 重新排序 or 重新乱序"},
                {"--folder", "", "ticks 导出的同时生成同名文件夹"},
            }},
       "滤除黑名单",
       [](CliContext& c, const ParsedArguments& args) {
         c.frontend.answers.SetDialog(BlacklistAnswers(c, args));
         RunFileTool(c, args, [&](FileTools& tools) {
           tools.source_files = args.words;
           FilterBlacklistFiles(c.state, c.frontend, tools);
         });
       }},
      {"results",
       {},
       "prints the result-file list, top to bottom, one path per line",
       [](CliContext& c, const ParsedArguments&) {
         for (const std::string& path : c.result_files)
           c.out << path << '\n';
       }},
  };
}

}  // namespace tessaril::cli
