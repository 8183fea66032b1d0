// Verbs of the location database and the segment picker.
#include "acquire/segment_picker.h"
#include "classify/location_db.h"
#include "classify/region_tree.h"
#include "cli/verbs.h"

namespace tessaril::cli {
namespace {

// The picker's filter from the words after NAME (the radio button and the two range fields).
SegmentFilter ParseSegmentFilter(const Arguments& args) {
  SegmentFilter filter;
  if (args.size() < 2 || args[1] == "all") {
    if (args.size() > 2)
      throw UsageError("too many arguments");
    return filter;
  }
  const std::string& kind = args[1];
  if (kind == "range") {
    if (args.size() != 4)
      throw UsageError("range needs FROM and TO");
    return {4, args[2], args[3]};
  }
  if (args.size() > 2)
    throw UsageError("too many arguments");
  if (kind == "mobile")
    return {1, "", ""};
  if (kind == "unicom")
    return {2, "", ""};
  if (kind == "telecom")
    return {3, "", ""};
  throw UsageError("expected all, mobile, unicom, telecom or range, not '" + kind + "'");
}

}  // namespace

std::vector<Verb> LocationVerbs() {
  return {
      {"lookup", "NUMBER",
       "print the location of NUMBER's first seven characters as province::city, or -",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, 1);
         std::optional<std::string_view> location =
             ReadyLocationDb(c.frontend).LookupNumber(args[0]);
         c.out << (location ? std::string(*location) : std::string("-")) << '\n';
       }},
      {"city-segments", "NAME [all|mobile|unicom|telecom|range FROM TO]",
       "the segment picker: select the first tree item named NAME with that filter; print the "
       "total label, then the shown segments",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, 4);
         SegmentFilter filter = ParseSegmentFilter(args);
         RegionTree tree = LoadRegionTreeForDialog(c.state.data_folder, c.frontend);
         // The tree's items top to bottom: each province, then its cities.
         int kind = 0;
         for (const RegionProvince& province : tree) {
           if (province.name == args[0]) {
             kind = 1;
             break;
           }
           for (const std::string& city : province.cities) {
             if (city == args[0])
               kind = 2;
           }
           if (kind)
             break;
         }
         if (!kind) {
           c.frontend.Refuse("地区文件中没有\"" + args[0] + "\"");
           return;
         }
         SegmentPickerModel model(c.state.prefixes);
         model.ApplyFilter(filter);
         if (kind == 1) {
           model.SelectProvince();
         } else {
           model.SelectCity(ReadyLocationDb(c.frontend), args[0]);
         }
         c.out << model.TotalLabel() << '\n';
         for (const std::string& segment : model.Shown())
           c.out << segment << '\n';
       }},
      {"insert-segments", "SEG...",
       "导入号段: insert the 10,000 numbers of each segment, in the order given",
       [](CliContext& c, const Arguments& args) {
         ExpectCount(args, 1, SIZE_MAX);
         for (const std::string& segment : args) {
           // The picker lists only segments of seven characters.
           if (segment.size() != 7) {
             c.frontend.Refuse("不是7位的号码段: " + segment);
             return;
           }
         }
         c.frontend.answers.SetDialog(SegmentPickerValues{{}, args});
         InsertSegmentsFromPicker(c.state, c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
