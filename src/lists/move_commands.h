#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "classify/carrier_lookup.h"
#include "interface/dialog_values.h"
#include "lists/app_state.h"

namespace tessaril {

class Frontend;

// The "↓↓↓" buttons move from the source list down to the target list, the "↑↑↑" buttons from
// the target list up to the source list.
enum class MoveDirection { Down, Up };

// Walks the list left from its last entry to its first, with the progress bar at k × 100 / n
// after the k-th entry visited, and moves every entry that `matches` to the end of the other list,
// so the moved entries arrive in the reverse of their former order; the others keep theirs. One
// pass: the matches are collected, then removed in one sweep. Ends with both refreshes.
// `matches_number`, when given, answers for an entry that is an eleven-digit number from its
// value, as `matches` would from its digits.
void MoveMatchingEntries(AppState& state, Frontend& frontend, MoveDirection direction,
                         const std::function<bool(std::string_view entry)>& matches,
                         const std::function<bool(std::uint64_t value)>& matches_number = {});

// "全部号码": every entry of the list left, in its order, to the end of the other list.
void MoveAll(AppState& state, Frontend& frontend, MoveDirection direction);

// "按号码类型".
// The check of "确定" in the type dialog: for the range choice, "起始号码不是11位!" or
// "结束号码不是11位!" when a box does not hold exactly 6 characters; else nothing.
std::optional<std::string> CheckMoveByType(const MoveByTypeValues& values);
// Whether `entry` matches the dialog's choice: the carrier's own test, or for the range
// "1<start>0000" <= entry <= "1<end>9999" in byte order, the entry as stored.
bool MatchesMoveType(const CarrierLookup& carriers, const MoveByTypeValues& values,
                     std::string_view entry);
void MoveByType(AppState& state, Frontend& frontend, MoveDirection direction);

// "按号码数值".
// An entry of exactly 11 characters whose character k (k = 2 to 11) equals every filled box k;
// the first character is never examined.
bool MatchesDigitMask(const DigitMaskValues& mask, std::string_view entry);
void MoveByDigits(AppState& state, Frontend& frontend, MoveDirection direction);

}  // namespace tessaril
