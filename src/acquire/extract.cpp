#include "acquire/extract.h"

#include <algorithm>
#include <boost/regex.hpp>

#include "acquire/sheet_import.h"
#include "interface/frontend.h"
#include "interface/messages.h"
#include "interface/progress.h"
#include "platform/file_system.h"

namespace tessaril {
namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const boost::regex& NumberRegex() {
  static const boost::regex pattern(kNumberPattern);
  return pattern;
}

const boost::regex& EmailRegex() {
  static const boost::regex pattern(kEmailPattern);
  return pattern;
}

void AppendAll(NumberList& list, ProgressReporter& progress,
               const std::vector<std::string>& found) {
  const std::int64_t n = static_cast<std::int64_t>(found.size());
  for (std::int64_t k = 0; k < n; ++k) {
    list.Append(found[static_cast<size_t>(k)]);
    progress.Step(k, n);
  }
}

}  // namespace

std::vector<std::string> ExtractMobileNumbers(
    std::string_view text, const std::function<void(std::int64_t, std::int64_t)>& step) {
  std::vector<std::string> found;
  const size_t size = text.size();
  // About a thousand reports over the whole text, whatever its size.
  const size_t stride = std::max<size_t>(1, size / 1000);
  size_t next_step = 0;
  for (size_t i = 0; i + 11 <= size; ++i) {
    if (text[i] != '1')
      continue;
    if (step && i >= next_step) {
      step(static_cast<std::int64_t>(i), static_cast<std::int64_t>(size));
      next_step = i + stride;
    }
    size_t digits = 1;
    while (digits < 11 && IsDigit(text[i + digits]))
      ++digits;
    if (digits < 11) {
      i += digits - 1;  // no run of eleven can start inside this shorter run
      continue;
    }
    if (i > 0 && IsDigit(text[i - 1]))
      continue;
    if (i + 11 < size && IsDigit(text[i + 11]))
      continue;
    std::string_view candidate = text.substr(i, 11);
    if (boost::regex_match(candidate.begin(), candidate.end(), NumberRegex()))
      found.emplace_back(candidate);
  }
  return found;
}

std::vector<std::string> ExtractEmailAddresses(std::string_view text,
                                               const std::function<void(int)>& progress) {
  std::vector<std::string> found;
  const std::int64_t total = static_cast<std::int64_t>(text.size());
  const char* remaining = text.data();
  const char* end = text.data() + text.size();
  boost::cmatch match;
  while (remaining < end && boost::regex_search(remaining, end, match, EmailRegex())) {
    if (progress && total > 0)
      progress(static_cast<int>(100 - static_cast<std::int64_t>(end - remaining) * 100 / total));
    std::string_view address(match[0].first, static_cast<size_t>(match[0].length()));
    while (!address.empty() && address.front() == '.')
      address.remove_prefix(1);
    while (!address.empty() && address.back() == '.')
      address.remove_suffix(1);
    found.emplace_back(address);
    remaining = match[0].second;
  }
  return found;
}

void ExtractFromText(AppState& state, Frontend& frontend) {
  std::optional<ExtractValues> values = frontend.Ask(ExtractValues{});
  if (!values)
    return;

  std::string text;
  if (values->source == ExtractSource::kFile) {
    std::optional<std::vector<std::string>> paths =
        frontend.PickOpenFiles({"", kNumberFilesFilter, true});
    if (!paths || paths->empty())
      return;
    // A sheet file gives the text of its cells, one a line.
    if (const SheetKind kind = SheetKindOf(paths->front()); kind != SheetKind::kNone) {
      if (const char* failure = SheetReadMessage(ReadSheetText(paths->front(), kind, text))) {
        ShowFailure(frontend, failure);
        return;
      }
    } else if (FileBytes file = ReadFileBytes(paths->front()); file.status != FileBytes::kRead) {
      ShowFailure(frontend,
                  file.status == FileBytes::kCannotOpen ? kCannotOpenInput : kCannotReadFile);
      return;
    } else {
      text = std::move(file.bytes);
    }
    if (size_t nul = text.find('\0'); nul != std::string::npos)
      text.resize(nul);
  } else if (std::optional<std::string> clipboard = frontend.ClipboardText()) {
    text = std::move(*clipboard);
    if (size_t nul = text.find('\0'); nul != std::string::npos)
      text.resize(nul);
  }
  if (text.empty())
    return;

  ProgressReporter progress(frontend);
  if (values->numbers)
    AppendAll(state.source, progress, ExtractMobileNumbers(text));
  if (values->emails) {
    std::vector<std::string> addresses =
        ExtractEmailAddresses(text, [&](int percent) { progress.Set(percent); });
    AppendAll(state.source, progress, addresses);
  }
  frontend.RefreshSourceView();
}

}  // namespace tessaril
