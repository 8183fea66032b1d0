// Verbs of the exports.
#include <algorithm>
#include <climits>

#include "cli/verbs.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "export/export_by_carrier.h"
#include "export/export_by_region.h"
#include "export/export_by_segment.h"
#include "export/output_files.h"

namespace tessaril::cli {
namespace {

// L PATH: the list chosen by the export's radio pair, and the name given to the save picker;
// every export takes the file type chosen in the picker.
Syntax ExportSyntax(std::vector<Positional> more = {}, std::vector<Option> options = {}) {
  std::vector<Positional> positionals{ListArgument(), Word("PATH")};
  positionals.insert(positionals.end(), more.begin(), more.end());
  options.push_back(
      {"--format", "F", "txt, xlsx or csv: the save picker's file type (default txt)"});
  return {std::move(positionals), std::move(options)};
}

// The save picker's answer, as the window's picker gives it; the exported list, as the window's
// radio pair names it.
ListId ChooseExport(CliContext& c, const ParsedArguments& args) {
  c.frontend.answers.save_file = args.words[1];
  // In the order of the picker's file types.
  static const char* const kTypes[] = {"txt", "xlsx", "csv"};
  if (const std::string* format = args.Value("--format")) {
    const auto found = std::find(std::begin(kTypes), std::end(kTypes), *format);
    if (found == std::end(kTypes))
      throw UsageError("--format takes txt, xlsx or csv, not " + *format);
    c.frontend.answers.save_type = static_cast<int>(found - std::begin(kTypes));
  }
  return ParseListId(args.words[0]);
}

}  // namespace

std::vector<Verb> ExportVerbs() {
  return {
      {"export-all",
       ExportSyntax({},
                    {
                        {"--rows", "N", "按行导出, N numbers a row (without it: 全部导出)"},
                        {"--separator", "S", "S after every number"},
                        {"--blank", "K", "an empty line after every K rows"},
                    }),
       "导出全部号码: the whole list into one file",
       [](CliContext& c, const ParsedArguments& args) {
         // What the dialog opens with, changed where an option says so.
         ExportFormatValues format = LoadExportFormat(c.state.settings);
         format.mode = args.Has("--rows") ? ExportLayout::kRows : ExportLayout::kAll;
         if (const std::string* rows = args.Value("--rows"))
           format.numbers_per_row = ParseInteger(*rows, "N");
         if (const std::string* separator = args.Value("--separator"))
           format.separator = *separator;
         if (const std::string* blank = args.Value("--blank"))
           format.blank_line_interval = ParseInteger(*blank, "K");
         const ListId list = ChooseExport(c, args);
         c.frontend.answers.SetDialog(format);
         ExportAll(c.state, c.frontend, list);
       }},
      {"export-batches",
       ExportSyntax({},
                    {
                        {"--size", "N", "N numbers a file (default 5000)"},
                        {"--single", "", "writes only the first file"},
                    }),
       "分批导出号码: files of N numbers",
       [](CliContext& c, const ParsedArguments& args) {
         BatchSizeValues batches;
         if (const std::string* size = args.Value("--size"))
           batches.batch_size = ParseInteger(*size, "N");
         batches.automatic = !args.Has("--single");
         const ListId list = ChooseExport(c, args);
         c.frontend.answers.SetDialog(batches);
         ExportInBatches(c.state, c.frontend, list);
       }},
      {"export-segment", ExportSyntax({Word("N")}),
       "按号码段导出: one file per first N characters (1 to 11)",
       [](CliContext& c, const ParsedArguments& args) {
         const ListId list = ChooseExport(c, args);
         // A value the dialog refuses is refused when the dialog would be confirmed.
         long long n = INT_MIN;
         try {
           n = ParseInteger(args.words[2], "N");
         } catch (const UsageError&) {
         }
         c.frontend.answers.SetDialog(
             SegmentExportValues{n < INT_MIN || n > INT_MAX ? INT_MIN : static_cast<int>(n)});
         ExportBySegment(c.state, c.frontend, list);
       }},
      {"export-repeat", ExportSyntax(), "按重复次数导出: one file per repeat count",
       [](CliContext& c, const ParsedArguments& args) {
         const ListId list = ChooseExport(c, args);
         ExportByRepeatCount(c.state, c.frontend, list);
       }},
      {"export-region", ExportSyntax({OneOf("", {{"province"}, {"city"}})}),
       "按地区分类导出: one file per province or city",
       [](CliContext& c, const ParsedArguments& args) {
         const ListId list = ChooseExport(c, args);
         c.frontend.answers.SetDialog(RegionTypeValues{
             args.words[2] == "city" ? RegionGrouping::kCity : RegionGrouping::kProvince});
         ExportByRegion(c.state, c.frontend, list);
       }},
      {"export-carrier", ExportSyntax(), "按照运营商导出: one file per carrier",
       [](CliContext& c, const ParsedArguments& args) {
         const ListId list = ChooseExport(c, args);
         ExportByCarrier(c.state, c.frontend, list);
       }},
  };
}

}  // namespace tessaril::cli
