// Numbers as list markers and sequence fields show them, and the small pattern
// language their texts are built with. Both take their numbers and patterns from
// files, so nothing here fails: a bad pattern is shown as written, a number that
// cannot be written in a style falls back to something readable.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "richtext/model/RPTypes.h"

// Above this a Roman numeral would be a wall of "M": such numbers are written in
// decimal instead.
inline constexpr int32_t RP_MaxRomanNumber = 100000;

// Bijective base 26: 1 A, 26 Z, 27 AA, 52 AZ, 53 BA; empty for n <= 0.
std::u16string RP_IntToAlpha(int32_t n);
// Greedy over M CM D CD C XC L XL X IX V IV I; "?" for n <= 0; decimal above
// RP_MaxRomanNumber.
std::u16string RP_IntToRoman(int32_t n);
// The number in a numbering style (the lower styles are the upper ones lower-cased).
std::u16string RP_NumberToText(int32_t n, TRPSeqType NumberType);

// n + 1, staying at the largest number instead of wrapping round.
constexpr int32_t RP_NextNumber(int32_t n) { return n == INT32_MAX ? n : n + 1; }

// The widest field a pattern may ask for; a file cannot make one placeholder
// allocate more than this.
inline constexpr int32_t RP_MaxPatternWidth = 1024;

// Fills a pattern with string arguments:
//   "%s"      the next argument;
//   "%n:s"    argument n, after which "%s" goes on with n + 1;
//   "%%"      a percent sign;
//   "%-8.3s"  "-" left-justifies in a field of width 8 (spaces, right-justified
//             otherwise); ".3" keeps at most 3 code units of the argument.
// "S" counts as "s". A missing argument is empty text. Anything that is not a valid
// placeholder (a lone "%", "%d", "%*s", ...) is written as it stands. Never throws
// for any pattern.
std::u16string RP_FormatPattern(std::u16string_view Pattern, std::span<const std::u16string> Args);
