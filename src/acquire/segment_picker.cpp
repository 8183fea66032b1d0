#include "acquire/segment_picker.h"

#include "acquire/segment_entry.h"
#include "classify/location_db.h"
#include "classify/region_tree.h"
#include "interface/frontend.h"
#include "interface/progress.h"
#include "platform/text.h"

namespace tessaril {

bool PassesSegmentFilter(const CarrierPrefixes& prefixes, const SegmentFilter& filter,
                         std::string_view segment) {
  switch (filter.choice) {
    case 1:
      return IsChinaMobileNumber(prefixes, segment);
    case 2:
      return IsChinaUnicomNumber(prefixes, segment);
    case 3:
      return IsChinaTelecomNumber(prefixes, segment);
    case 4:
      return std::string_view(filter.from) <= segment && segment <= std::string_view(filter.to);
    default:
      return true;
  }
}

std::string SegmentTotalLabel(long long segments) {
  return Format("总计: %lld个号码段, 共%lld个号码", segments, segments * 10000);
}

std::string SegmentChosenLabel(long long segments) {
  return Format("选中: %lld个号码段, 共%lld个号码", segments, segments * 10000);
}

void SegmentPickerModel::SelectProvince() {
  city_.clear();
  shown_.clear();
}

void SegmentPickerModel::SelectCity(const CLocationDb& db, std::string_view city,
                                    const Progress& progress) {
  city_.clear();
  shown_.clear();
  const long long size = static_cast<long long>(db.Size());
  long long k = 0;
  int last = -1;
  db.WalkKeys([&](std::string_view segment, std::string_view location) {
    ++k;
    if (progress) {
      int percent = static_cast<int>(k * 100 / size);
      if (percent != last)
        progress(last = percent);
    }
    if (location.find(city) == std::string_view::npos)
      return;
    city_.emplace_back(segment);
    if (PassesSegmentFilter(prefixes_, filter_, segment))
      shown_.emplace_back(segment);
  });
  if (progress)
    progress(0);
}

void SegmentPickerModel::ApplyFilter(const SegmentFilter& filter, const Progress& progress) {
  filter_ = filter;
  shown_.clear();
  const long long count = static_cast<long long>(city_.size());
  int last = -1;
  for (long long k = 0; k < count; ++k) {
    if (progress) {
      int percent = static_cast<int>(k * 100 / count);
      if (percent != last)
        progress(last = percent);
    }
    const std::string& segment = city_[static_cast<size_t>(k)];
    if (PassesSegmentFilter(prefixes_, filter_, segment))
      shown_.push_back(segment);
  }
  if (progress)
    progress(0);
}

void InsertSegmentsFromPicker(AppState& state, Frontend& frontend) {
  SegmentPickerValues shown;
  shown.tree = LoadRegionTreeForDialog(state.RegionTreeFile(), frontend);
  std::optional<SegmentPickerValues> values = frontend.Ask(shown);
  if (!values)
    return;
  for (const std::string& segment : values->chosen)
    AppendSegmentNumbers(state.source, frontend, segment);
  frontend.RefreshSourceView();
}

}  // namespace tessaril
