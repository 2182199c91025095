// Where Unicode text may break across lines. Every UTF-16 code unit has a line-break
// class; a pair table says whether a break may fall between two adjacent classes.
// The formatter asks these searches instead of breaking only at spaces, so that
// punctuation, brackets and ideographs wrap the way readers expect. ANSI text items
// still break at spaces only.
//
// The classes are a fixed, deliberately old-fashioned variant of the Unicode line
// breaking property, tuned for Latin and Cyrillic articles: the ASCII brackets ( [ {
// have a class of their own (OB), the ASCII punctuation ! , . : ; and U+0589 form
// "SP" (which is not the space: U+0020 is AL, and the searches recognise it
// themselves), and the C0/C1 controls other than tab, LF, FF and CR are CM.
//
// Positions are 0-based UTF-16 code-unit indices into the stored text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "richtext/gfx/RPGraphicInterface.h"

// Line-break classes, in the order of the rows and columns of BreakPairs.
inline constexpr int rpu_lb_OB = 0;  // ASCII opening brackets
inline constexpr int rpu_lb_OP = 1;  // other opening punctuation
inline constexpr int rpu_lb_CL = 2;  // closing punctuation
inline constexpr int rpu_lb_QU = 3;  // ambiguous quotation marks
inline constexpr int rpu_lb_GL = 4;  // non-breaking ("glue")
inline constexpr int rpu_lb_NS = 5;  // non-starters
inline constexpr int rpu_lb_EX = 6;  // exclamation and interrogation
inline constexpr int rpu_lb_SY = 7;  // symbols allowing a break after
inline constexpr int rpu_lb_IS = 8;  // infix separators (no code unit has it)
inline constexpr int rpu_lb_PR = 9;  // prefix numeric
inline constexpr int rpu_lb_PO = 10; // postfix numeric
inline constexpr int rpu_lb_NU = 11; // digits
inline constexpr int rpu_lb_AL = 12; // letters, and every code unit not listed
inline constexpr int rpu_lb_SP = 13; // ASCII sentence punctuation (not the space)
inline constexpr int rpu_lb_ID = 14; // ideographs, kana, Hangul
inline constexpr int rpu_lb_IN = 15; // leaders
inline constexpr int rpu_lb_HY = 16; // hyphen-minus
inline constexpr int rpu_lb_BA = 17; // break after
inline constexpr int rpu_lb_BB = 18; // break before
inline constexpr int rpu_lb_B2 = 19; // break on either side (em dash)
inline constexpr int rpu_lb_ZW = 20; // zero-width space
inline constexpr int rpu_lb_CM = 21; // combining marks and controls
inline constexpr int rpu_lb_Count = 22;

// BreakPairs values.
inline constexpr uint8_t bk_DBK = 0; // a break is allowed directly between the two
inline constexpr uint8_t bk_IBK = 1; // a break is allowed only when spaces stand between
inline constexpr uint8_t bk_PBK = 2; // no break
inline constexpr uint8_t bk_SPK = 3; // no break (kept for completeness; not in the table)

// BreakPairs[class before][class after]: may a line break between two non-space
// characters of these classes? A sign that belongs to a number or a unit (minus, plus,
// percent, per mille, degree) stays with the letter or digit right before it, as in
// "kJ mol" followed by a superscript minus one or "10" by a superscript minus three:
// there the line breaks only at a space.
// clang-format off
inline constexpr uint8_t BreakPairs[rpu_lb_Count][rpu_lb_Count] = {
  //OB OP CL QU GL NS EX SY IS PR PO NU AL SP ID IN HY BA BB B2 ZW CM
  { 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1 }, // OB
  { 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1 }, // OP
  { 0, 0, 2, 1, 1, 2, 2, 2, 2, 0, 1, 0, 0, 2, 0, 0, 1, 1, 0, 0, 2, 1 }, // CL
  { 2, 2, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1 }, // QU
  { 1, 1, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1 }, // GL
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // NS
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // EX
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // SY
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // IS
  { 1, 1, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 1, 1, 0, 1, 1, 0, 0, 2, 1 }, // PR
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // PO
  { 1, 0, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1 }, // NU
  { 1, 0, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1 }, // AL
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 1, 1, 2, 0, 1, 1, 1, 0, 0, 2, 1 }, // SP
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 1, 0, 0, 0, 0, 1, 1, 1, 0, 0, 2, 1 }, // ID
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 2, 1 }, // IN
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // HY
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 1 }, // BA
  { 1, 1, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1 }, // BB
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 2, 2, 1 }, // B2
  { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1 }, // ZW
  { 0, 0, 2, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 2, 1 }, // CM
};
// clang-format on

// The line-break class (rpu_lb_OB .. rpu_lb_CM) of one UTF-16 code unit. Units the
// class table does not list (the space, CR, LF, FF, the surrogates, the private-use
// area, ...) are rpu_lb_AL.
int GetCharLineBreakClass(char16_t Ch);

// The last break opportunity inside the part of Text that fits on the line.
// n is the index of the first character after the fitting prefix (so Text[n] is the
// first character that did not fit); AtEnd says that Text[n] is the last character of
// the text; Decremented says that the prefix was shortened on purpose because the
// item fits but what is glued after it does not.
//
// Returns the index of the character after which the line may break: the earlier
// character of the break pair, moved forward onto the last of the spaces that follow
// it but always below the search's start. The caller cuts after that character (or,
// when it is a space and spaces are trimmed, before it, eating the space).
// Returns -1 when there is no break opportunity, and when n is outside [0, size).
//
// The search starts at n, or at n - 1 when Decremented is false, AtEnd is set and
// Text[n] is a space (only that space would be left over; with n = 1 there is no
// break). With Decremented it first steps back over spaces at the start (unless only
// spaces precede). The character at the start is the later character of the first
// pair even when it is a space, in which case it is paired with its class, AL.
int RPU_FindLineBreak(TRPTextView Text, int n, bool AtEnd, bool Decremented);

// The first break opportunity in Text, which continues a word from earlier items.
// PrevChar is the last non-space character before Text, if any; SpaceBefore says
// that spaces stood between it and Text (ignored without PrevChar). Without PrevChar
// the first code unit of Text, whatever it is, is the first "previous" character and
// pairing begins with the second.
//
// Returns:
//   -1   a break before the first non-space character of Text while SpaceBefore is
//        set: the wrap place lies before Text;
//   p    a break elsewhere: p is the index of the character after the break, moved
//        back over the spaces before it (0 means "before Text");
//   end  no break: the index after the last non-space character of Text, and then
//        LastChar is set to that character; when Text is empty or all spaces the
//        result is 0 and LastChar is set to U+0020.
// LastChar is left untouched when a break is found.
int RPU_FindFirstLineBreak(TRPTextView Text, std::optional<char16_t> PrevChar, bool SpaceBefore,
                           char16_t& LastChar);
