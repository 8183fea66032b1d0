// Verbs of the exports.
#include <algorithm>
#include <climits>
#include <map>

#include "cli/verbs.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "export/export_by_carrier.h"
#include "export/export_by_region.h"
#include "export/export_by_segment.h"
#include "export/output_files.h"

namespace tessaril::cli {
namespace {

// Splits "L PATH [options]" into the list, the path and the options (with their values, or ""
// for a flag). `with_value` names the options that take a value.
struct ExportArguments {
  ListId list;
  std::string path;
  std::map<std::string, std::string> options;
};

ExportArguments ParseExportArguments(const Arguments& args,
                                     const std::vector<std::string>& with_value,
                                     const std::vector<std::string>& flags) {
  ExpectCount(args, 2, SIZE_MAX);
  ExportArguments parsed{ParseListId(args[0]), args[1], {}};
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& word = args[i];
    bool takes_value = std::find(with_value.begin(), with_value.end(), word) != with_value.end();
    bool is_flag = std::find(flags.begin(), flags.end(), word) != flags.end();
    if (!takes_value && !is_flag)
      throw UsageError("unknown option '" + word + "'");
    if (parsed.options.count(word))
      throw UsageError("option '" + word + "' given twice");
    if (takes_value) {
      if (i + 1 >= args.size())
        throw UsageError("option '" + word + "' needs a value");
      parsed.options[word] = args[++i];
    } else {
      parsed.options[word] = "";
    }
  }
  return parsed;
}

// The export choice and the save picker's answer, as the window's radio pair and picker give them.
void ChooseExport(CliContext& c, const ExportArguments& parsed) {
  c.state.export_choice = parsed.list == ListId::Source ? 0 : 1;
  c.frontend.answers.save_file = parsed.path;
}

}  // namespace

std::vector<Verb> ExportVerbs() {
  return {
      {"export-all", "L PATH [--rows N] [--separator S] [--blank K]",
       "导出全部号码: the whole list into one file; --rows lays it out in rows of N numbers",
       [](CliContext& c, const Arguments& args) {
         ExportArguments parsed =
             ParseExportArguments(args, {"--rows", "--separator", "--blank"}, {});
         // What the dialog opens with, changed where an option says so.
         ExportFormatValues format = LoadExportFormat(c.state.settings);
         auto& options = parsed.options;
         format.mode = options.count("--rows") ? 1 : 0;
         if (options.count("--rows"))
           format.numbers_per_row = ParseInteger(options["--rows"], "N");
         if (options.count("--separator"))
           format.separator = options["--separator"];
         if (options.count("--blank"))
           format.blank_line_interval = ParseInteger(options["--blank"], "K");
         ChooseExport(c, parsed);
         c.frontend.answers.SetDialog(format);
         ExportAll(c.state, c.frontend);
       }},
      {"export-batches", "L PATH [--size N] [--single]",
       "分批导出号码: files of N numbers (default 5000); --single writes only the first file",
       [](CliContext& c, const Arguments& args) {
         ExportArguments parsed = ParseExportArguments(args, {"--size"}, {"--single"});
         BatchSizeValues batches;
         if (parsed.options.count("--size"))
           batches.batch_size = ParseInteger(parsed.options["--size"], "N");
         batches.automatic = parsed.options.count("--single") == 0;
         ChooseExport(c, parsed);
         c.frontend.answers.SetDialog(batches);
         ExportInBatches(c.state, c.frontend);
       }},
      {"export-segment", "L PATH N", "按号码段导出: one file per first N characters (1 to 11)",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 3, 3);
         ChooseExport(c, ParseExportArguments({args[0], args[1]}, {}, {}));
         // A value the dialog refuses is refused when the dialog would be confirmed.
         long long n = INT_MIN;
         try {
           n = ParseInteger(args[2], "N");
         } catch (const UsageError&) {
         }
         c.frontend.answers.SetDialog(
             SegmentExportValues{n < INT_MIN || n > INT_MAX ? INT_MIN : static_cast<int>(n)});
         ExportBySegment(c.state, c.frontend);
       }},
      {"export-repeat", "L PATH", "按重复次数导出: one file per repeat count",
       [](CliContext& c, const Arguments& args) {
         ChooseExport(c, ParseExportArguments(args, {}, {}));
         ExportByRepeatCount(c.state, c.frontend);
       }},
      {"export-region", "L PATH province|city", "按地区分类导出: one file per province or city",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 3, 3);
         if (args[2] != "province" && args[2] != "city")
           throw UsageError("expected province or city, not '" + args[2] + "'");
         ChooseExport(c, ParseExportArguments({args[0], args[1]}, {}, {}));
         c.frontend.answers.SetDialog(RegionTypeValues{args[2] == "city" ? 1 : 0});
         ExportByRegion(c.state, c.frontend);
       }},
      {"export-carrier", "L PATH", "按照运营商导出: one file per carrier",
       [](CliContext& c, const Arguments& args) {
         ChooseExport(c, ParseExportArguments(args, {}, {}));
         ExportByCarrier(c.state, c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
