#include "lists/move_commands.h"

#include <algorithm>
#include <vector>

#include "classify/carrier_lookup.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "platform/text.h"

namespace tessaril {
namespace {

NumberList& ListLeft(AppState& state, MoveDirection direction) {
  return direction == MoveDirection::Down ? state.source : state.target;
}
NumberList& ListReached(AppState& state, MoveDirection direction) {
  return direction == MoveDirection::Down ? state.target : state.source;
}

void RefreshBoth(Frontend& frontend) {
  frontend.RefreshSourceView();
  frontend.RefreshTargetView();
}

}  // namespace

void MoveMatchingEntries(AppState& state, Frontend& frontend, MoveDirection direction,
                         const std::function<bool(std::string_view entry)>& matches,
                         const std::function<bool(std::uint64_t value)>& matches_number) {
  NumberList& from = ListLeft(state, direction);
  NumberList& to = ListReached(state, direction);
  ProgressReporter progress(frontend);
  const int n = from.Count();
  // Removing each match as it is found would shift the rest of the list every time; the
  // matches are collected from the end and removed together.
  std::vector<int> moved;
  NumberList::Scratch scratch;
  for (int i = n - 1, visited = 1; i >= 0; --i, ++visited) {
    progress.Step(visited, n);
    // A number is tested and moved as its value, without spelling it.
    if (std::uint64_t value; from.NumberAt(i, value)) {
      if (matches_number ? matches_number(value) : matches(from.View(i, scratch))) {
        to.AppendNumber(value);
        moved.push_back(i);
      }
    } else if (const std::string_view entry = from.View(i, scratch); matches(entry)) {
      to.Append(entry);
      moved.push_back(i);
    }
  }
  std::reverse(moved.begin(), moved.end());
  from.RemoveIndices(moved);
  RefreshBoth(frontend);
}

void MoveAll(AppState& state, Frontend& frontend, MoveDirection direction) {
  NumberList& from = ListLeft(state, direction);
  NumberList& to = ListReached(state, direction);
  ProgressReporter progress(frontend);
  const int n = from.Count();
  NumberList::Scratch scratch;
  for (int i = 0; i < n; ++i) {
    if (std::uint64_t value; from.NumberAt(i, value))
      to.AppendNumber(value);
    else
      to.Append(from.View(i, scratch));
    progress.Step(i, n);
  }
  from.Clear();
  RefreshBoth(frontend);
}

std::optional<std::string> CheckMoveByType(const MoveByTypeValues& values) {
  if (values.type_choice != MoveTypeChoice::kRange)
    return std::nullopt;
  if (values.range_start.size() != 6)
    return kStartNotEleven;
  if (values.range_end.size() != 6)
    return kEndNotEleven;
  return std::nullopt;
}

bool MatchesMoveType(const CarrierLookup& carriers, const MoveByTypeValues& values,
                     std::string_view entry) {
  switch (values.type_choice) {
    case MoveTypeChoice::kMobile:
      return carriers.IsChinaMobileNumber(entry);
    case MoveTypeChoice::kUnicom:
      return carriers.IsChinaUnicomNumber(entry);
    case MoveTypeChoice::kTelecom:
      return carriers.IsChinaTelecomNumber(entry);
    default: {
      const std::string low = "1" + values.range_start + "0000";
      const std::string high = "1" + values.range_end + "9999";
      return std::string_view(low) <= entry && entry <= std::string_view(high);
    }
  }
}

void MoveByType(AppState& state, Frontend& frontend, MoveDirection direction) {
  std::optional<MoveByTypeValues> chosen = frontend.Ask(MoveByTypeValues{});
  if (!chosen)
    return;
  const MoveByTypeValues values = *chosen;
  const CarrierLookup carriers(state.prefixes);
  std::function<bool(std::uint64_t)> matches_number;
  if (values.type_choice == MoveTypeChoice::kMobile)
    matches_number = [&](std::uint64_t v) { return carriers.IsChinaMobileValue(v); };
  else if (values.type_choice == MoveTypeChoice::kUnicom)
    matches_number = [&](std::uint64_t v) { return carriers.IsChinaUnicomValue(v); };
  else if (values.type_choice == MoveTypeChoice::kTelecom)
    matches_number = [&](std::uint64_t v) { return carriers.IsChinaTelecomValue(v); };
  // A range of digits compares as the values of its ends.
  const std::string low = "1" + values.range_start + "0000";
  const std::string high = "1" + values.range_end + "9999";
  std::uint64_t low_value, high_value;
  if (values.type_choice == MoveTypeChoice::kRange && ParseElevenDigits(low, low_value) &&
      ParseElevenDigits(high, high_value))
    matches_number = [&](std::uint64_t v) { return low_value <= v && v <= high_value; };
  MoveMatchingEntries(
      state, frontend, direction,
      [&](std::string_view entry) { return MatchesMoveType(carriers, values, entry); },
      matches_number);
}

bool MatchesDigitMask(const DigitMaskValues& mask, std::string_view entry) {
  if (entry.size() != 11)
    return false;
  for (size_t k = 2; k <= 11; ++k) {
    const std::string& box = mask.boxes[k - 2];
    if (!box.empty() && entry.substr(k - 1, 1) != box)
      return false;
  }
  return true;
}

void MoveByDigits(AppState& state, Frontend& frontend, MoveDirection direction) {
  std::optional<DigitMaskValues> chosen = frontend.Ask(DigitMaskValues{});
  if (!chosen)
    return;
  const DigitMaskValues mask = *chosen;
  MoveMatchingEntries(state, frontend, direction,
                      [&](std::string_view entry) { return MatchesDigitMask(mask, entry); });
}

}  // namespace tessaril
