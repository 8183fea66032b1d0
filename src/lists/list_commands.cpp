#include "lists/list_commands.h"

#include "classify/carrier_lookup.h"
#include "interface/frontend.h"
#include "interface/progress.h"
#include "platform/text.h"

namespace tessaril {

void RefreshList(Frontend& frontend, ListId id) {
  if (id == ListId::Source) {
    frontend.RefreshSourceView();
  } else {
    frontend.RefreshTargetView();
  }
}

std::string CounterText(const NumberList& list, ListId id) {
  return Format(
      id == ListId::Source ? "当前原始号码框内有%d个手机号码" : "当前目标号码框内有%d个手机号码",
      list.Count());
}

void SortList(AppState& state, Frontend& frontend, ListId id) {
  ProgressReporter progress(frontend);
  state.List(id).SortEntries([&](std::int64_t k, std::int64_t n) { progress.Step(k, n); });
  RefreshList(frontend, id);
}

void ShuffleList(AppState& state, Frontend& frontend, ListId id) {
  ProgressReporter progress(frontend);
  state.List(id).Shuffle(
      state.random, [&](std::int64_t i, std::int64_t n) { progress.Step(i, n, 50); },
      [&](std::int64_t i, std::int64_t n) { progress.Step(i, n, 50, 50); });
  RefreshList(frontend, id);
}

void RemoveRepeats(AppState& state, Frontend& frontend, ListId id) {
  ProgressReporter progress(frontend);
  state.List(id).RemoveRepeats([&](std::int64_t k, std::int64_t n) { progress.Step(k, n); });
  RefreshList(frontend, id);
}

void ClearList(AppState& state, Frontend& frontend, ListId id) {
  state.List(id).Clear();
  RefreshList(frontend, id);
}

void RemoveNonMobileEntries(AppState& state, Frontend& frontend) {
  NumberList& list = state.source;
  ProgressReporter progress(frontend);
  const int n = list.Count();
  // Visited from the end, as the entry-by-entry removal does; removed in one sweep afterwards.
  std::vector<int> failing;
  NumberList::Scratch scratch;
  const CarrierLookup lookup(state.prefixes);
  for (int i = n - 1, visited = 1; i >= 0; --i, ++visited) {
    if (!lookup.IsMobileNumber(list.View(i, scratch)))
      failing.push_back(i);
    progress.Step(visited, n);
  }
  list.RemoveIndices(std::vector<int>(failing.rbegin(), failing.rend()));
  frontend.RefreshSourceView();
}

}  // namespace tessaril
