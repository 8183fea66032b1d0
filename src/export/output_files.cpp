#include "export/output_files.h"

#include <algorithm>
#include <vector>

#include "engine/side_by_side.h"
#include "interface/frontend.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace tessaril {
namespace {

// Entries spelled at a time by one thread of WriteEntryLines: about 850 KB of lines.
constexpr int kLinesChunk = 1 << 16;

// How many entries are spelled between two calls of a run's step.
constexpr int kStepEvery = 1024;

// The lines of the entries [from, to) into the front of `out`, as WriteEntryLine writes them;
// how many bytes they take. `step(i)`, when given, is called before every kStepEvery-th entry i.
// `out` keeps its size from one call to the next, so that its bytes are not cleared each time.
std::size_t SpellEntryLines(const NumberList& list, int from, int to, std::string& out,
                            const std::function<void(int index)>* step) {
  constexpr std::size_t kLine = 13;  // a number and CR LF
  std::size_t used = 0;
  auto make_room = [&](std::size_t bytes) {
    if (used + bytes > out.size())
      out.resize(std::max(out.size() * 2, used + bytes));
  };
  make_room(static_cast<std::size_t>(to - from) * kLine);
  NumberList::Scratch scratch;
  for (int i = from; i < to; ++i) {
    if (step && i % kStepEvery == 0)
      (*step)(i);
    if (std::uint64_t value; list.NumberAt(i, value)) {
      make_room(kLine);
      char* at = out.data() + used;
      FormatElevenDigits(value, at);
      at[11] = '\r';
      at[12] = '\n';
      used += kLine;
      continue;
    }
    // Another text, its line feeds in text mode as the writer stores them.
    const std::string_view text = list.View(i, scratch);
    make_room(text.size() * 2 + 2);
    for (char c : text) {
      if (c == '\n')
        out[used++] = '\r';
      out[used++] = c;
    }
    out[used++] = '\r';
    out[used++] = '\n';
  }
  return used;
}

}  // namespace

bool WriteEntryLines(TextFileWriter& file, const NumberList& list, int first, int n,
                     const std::function<void(int k)>& step) {
  const int chunks = (n + kLinesChunk - 1) / kLinesChunk;
  if (chunks < 2) {
    NumberList::Scratch scratch;
    for (int k = 0; k < n; ++k) {
      step(k);
      WriteEntryLine(file, list, first + k, scratch);
    }
    return !file.Failed();
  }
  const std::function<void(int)> step_at = [&](int index) { step(index - first); };
  // Chunk c is written at turn c. A thread that runs out of memory gives the turns up: the
  // other then stops too instead of waiting for a chunk that never comes.
  Turns turns;
  auto spell_and_write = [&](int start, int stride, bool report) {
    try {
      std::string lines;
      for (int c = start; c < chunks; c += stride) {
        const int from = first + c * kLinesChunk;
        const int to = std::min(first + n, from + kLinesChunk);
        const std::size_t bytes =
            SpellEntryLines(list, from, to, lines, report ? &step_at : nullptr);
        if (!turns.WaitFor(c))
          return;
        file.WriteBytes(std::string_view(lines).substr(0, bytes));
        turns.Pass(c);
      }
    } catch (...) {
      turns.GiveUp();
      throw;
    }
  };
  if (!TryRunSideBySide([&] { spell_and_write(0, 2, true); },
                        [&] { spell_and_write(1, 2, false); }))
    spell_and_write(0, 1, true);
  else if (chunks % 2 == 0)
    // The last chunk was the other thread's: its steps, now that it is written.
    for (int i = first + (chunks - 1) * kLinesChunk; i < first + n; ++i)
      if (i % kStepEvery == 0)
        step_at(i);
  step(n - 1);  // the last step of a short run too
  return !file.Failed();
}

}  // namespace tessaril
