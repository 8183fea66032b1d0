// Verbs of the exports.
#include <climits>

#include "cli/verbs.h"
#include "export/export_by_carrier.h"
#include "export/export_by_region.h"
#include "export/export_by_segment.h"

namespace tessaril::cli {
namespace {

// The export choice and the name chosen in the save picker.
void ChooseExport(CliContext& c, const Arguments& args) {
  c.state.export_choice = ParseListId(args[0]) == ListId::Source ? 0 : 1;
  c.frontend.answers.save_file = args[1];
}

}  // namespace

std::vector<Verb> ExportVerbs() {
  return {
      {"export-segment", "L PATH N", "按号码段导出: one file per first N characters (1 to 11)",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 3, 3);
         ChooseExport(c, args);
         // A value the dialog refuses is refused when the dialog would be confirmed.
         long long n = INT_MIN;
         try {
           n = ParseInteger(args[2], "N");
         } catch (const UsageError&) {
         }
         c.frontend.answers.segment_export =
             SegmentExportValues{n < INT_MIN || n > INT_MAX ? INT_MIN : static_cast<int>(n)};
         ExportBySegment(c.state, c.frontend);
       }},
      {"export-repeat", "L PATH", "按重复次数导出: one file per repeat count",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 2, 2);
         ChooseExport(c, args);
         ExportByRepeatCount(c.state, c.frontend);
       }},
      {"export-region", "L PATH province|city", "按地区分类导出: one file per province or city",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 3, 3);
         if (args[2] != "province" && args[2] != "city")
           throw UsageError("expected province or city, not '" + args[2] + "'");
         ChooseExport(c, args);
         c.frontend.answers.region_type = RegionTypeValues{args[2] == "city" ? 1 : 0};
         ExportByRegion(c.state, c.frontend);
       }},
      {"export-carrier", "L PATH", "按照运营商导出: one file per carrier",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 2, 2);
         ChooseExport(c, args);
         ExportByCarrier(c.state, c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
