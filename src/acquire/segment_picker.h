#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classify/carrier_prefixes.h"
#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class CLocationDb;
class Frontend;

// The picker's range choice, as last read from its radio buttons and range fields.
struct SegmentFilter {
  int choice = 0;    // 0 all, 1 China Mobile, 2 China Unicom, 3 China Telecom, 4 range
  std::string from;  // range texts, compared byte-wise with the segment
  std::string to;
};

bool PassesSegmentFilter(const CarrierPrefixes& prefixes, const SegmentFilter& filter,
                         std::string_view segment);

// "总计: %d个号码段, 共%d个号码" and "选中: %d个号码段, 共%d个号码".
std::string SegmentTotalLabel(long long segments);
std::string SegmentChosenLabel(long long segments);

// The list side of "选择插入号段": the segments of the selected city and the shown ones. The
// window's dialog and the command-line front end drive it alike.
class SegmentPickerModel {
 public:
  using Progress = std::function<void(int percent)>;

  explicit SegmentPickerModel(const CarrierPrefixes& prefixes) : prefixes_(prefixes) {}

  // A province item: both lists empty.
  void SelectProvince();
  // A city item: one walk of the database in key order; every segment whose location text
  // contains `city` anywhere (the province part included) belongs to the city, and the ones that
  // pass the filter last read are shown.
  void SelectCity(const CLocationDb& db, std::string_view city, const Progress& progress = {});
  // A radio click: takes the filter and rebuilds the shown list from the city's segments.
  void ApplyFilter(const SegmentFilter& filter, const Progress& progress = {});

  const std::vector<std::string>& CitySegments() const { return city_; }
  const std::vector<std::string>& Shown() const { return shown_; }
  const SegmentFilter& Filter() const { return filter_; }
  std::string TotalLabel() const {
    return SegmentTotalLabel(static_cast<long long>(shown_.size()));
  }

 private:
  const CarrierPrefixes& prefixes_;
  SegmentFilter filter_;
  std::vector<std::string> city_;
  std::vector<std::string> shown_;
};

// "导入号段": the picker; after OK every chosen segment's numbers, in order, then the source
// list's refresh. Cancel: nothing, no refresh.
void InsertSegmentsFromPicker(AppState& state, Frontend& frontend);

}  // namespace tessaril
