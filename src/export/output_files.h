#pragma once

#include <functional>

#include "lists/app_state.h"
#include "outputs/output_names.h"
#include "platform/text_file.h"

// Writing a list's entries into a result file.
namespace tessaril {

// Writes the list's entry at `index` and a line end, as WriteLine of its text: a number goes
// into the writer's buffer from its value, without spelling it first.
inline void WriteEntryLine(TextFileWriter& file, const NumberList& list, int index,
                           NumberList::Scratch& scratch) {
  if (std::uint64_t value; list.NumberAt(index, value)) {
    file.WriteNumberLine(value);
  } else {
    file.WriteLine(list.View(index, scratch));
  }
}

// WriteEntryLine of the entries [first, first + n) in order. A long run is spelled on two
// threads, each taking every other chunk of entries, and the chunks are written in order.
// `step(k)` is called on this thread with k rising as entry first + k is spelled: for every
// entry of a short run, for every 1024th and the last of a long one. False when a write failed.
bool WriteEntryLines(TextFileWriter& file, const NumberList& list, int first, int n,
                     const std::function<void(int k)>& step);

}  // namespace tessaril
