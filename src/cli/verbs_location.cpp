// Verbs of the location database and the segment picker.
#include "acquire/segment_picker.h"
#include "classify/location_db.h"
#include "classify/location_import.h"
#include "classify/region_tree.h"
#include "cli/verbs.h"

namespace tessaril::cli {
namespace {

// The picker's filter (the radio button and the two range fields) from the words after NAME.
SegmentFilter ParseSegmentFilter(const Arguments& words) {
  const std::string kind = words.size() > 1 ? words[1] : "all";
  if (kind == "range")
    return {4, words[2], words[3]};
  if (kind == "mobile")
    return {1, "", ""};
  if (kind == "unicom")
    return {2, "", ""};
  if (kind == "telecom")
    return {3, "", ""};
  return {};
}

}  // namespace

std::vector<Verb> LocationVerbs() {
  return {
      {"lookup",
       {{Word("NUMBER")}},
       "print the location of NUMBER's first seven characters as province::city, or -",
       [](CliContext& c, const ParsedArguments& args) {
         std::optional<std::string_view> location =
             c.state.locations.Ready(c.frontend).LookupNumber(args.words[0]);
         c.out << (location ? std::string(*location) : std::string("-")) << '\n';
       }},
      {"city-segments",
       {{Word("NAME"),
         {"",
          {{"all"}, {"mobile"}, {"unicom"}, {"telecom"}, {"range", {"FROM", "TO"}}},
          Positional::Count::Optional}}},
       "the segment picker: select the first tree item named NAME with that filter; print the "
       "total label, then the shown segments",
       [](CliContext& c, const ParsedArguments& args) {
         const std::string& name = args.words[0];
         SegmentFilter filter = ParseSegmentFilter(args.words);
         RegionTree tree = LoadRegionTreeForDialog(c.state.RegionTreeFile(), c.frontend);
         // The tree's items top to bottom: each province, then its cities.
         int kind = 0;
         for (const RegionProvince& province : tree) {
           if (province.name == name) {
             kind = 1;
             break;
           }
           for (const std::string& city : province.cities) {
             if (city == name)
               kind = 2;
           }
           if (kind)
             break;
         }
         if (!kind) {
           c.frontend.Refuse("地区文件中没有\"" + name + "\"");
           return;
         }
         SegmentPickerModel model(c.state.prefixes);
         model.ApplyFilter(filter);
         if (kind == 1) {
           model.SelectProvince();
         } else {
           model.SelectCity(c.state.locations.Ready(c.frontend), name);
         }
         c.out << model.TotalLabel() << '\n';
         for (const std::string& segment : model.Shown())
           c.out << segment << '\n';
       }},
      {"insert-segments",
       {{Words("SEG")}},
       "导入号段: insert the 10,000 numbers of each segment, in the order given",
       [](CliContext& c, const ParsedArguments& args) {
         for (const std::string& segment : args.words) {
           // The picker lists only segments of seven characters.
           if (segment.size() != 7) {
             c.frontend.Refuse("不是7位的号码段: " + segment);
             return;
           }
         }
         c.frontend.answers.SetDialog(SegmentPickerValues{{}, args.words});
         InsertSegmentsFromPicker(c.state, c.frontend);
       }},
      {"location-import",
       {{Word("FILE")}},
       "更新号段数据...: validate FILE as a segment table and install it as the user's location "
       "data",
       [](CliContext& c, const ParsedArguments& args) {
         c.frontend.answers.open_files = std::vector<std::string>{args.words[0]};
         ImportLocationData(c.state.locations, c.state.data_folder, c.state.settings.Path(),
                            c.frontend);
       }},
      {"location-reset",
       {},
       "return to the shipped location data",
       [](CliContext& c, const ParsedArguments&) {
         ResetLocationData(c.state.locations, c.state.data_folder, c.state.settings.Path(),
                           c.frontend);
       }},
      {"location-info",
       {},
       "print which location data is in use, its path, its segment count and the count per "
       "three-digit beginning",
       [](CliContext& c, const ParsedArguments&) {
         c.out << DescribeLocationData(c.state.locations, c.state.data_folder,
                                       c.state.settings.Path(), c.frontend);
       }},
  };
}

}  // namespace tessaril::cli
