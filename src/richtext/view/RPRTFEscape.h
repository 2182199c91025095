// Text as RTF writes it: the escapes of 8-bit and 16-bit text, and names (fonts, styles,
// field instructions) that must not break the group they stand in.
#pragma once

#include <string>
#include <string_view>

// 8-bit text in CodePage: "\", "{" and "}" escaped, bytes below 32 or from 128 on as "\'hh",
// except, in single-byte code pages only, 0x95 as "\bullet " and 0xA0 as "\~" (in a
// double-byte code page those bytes may be the second half of a character).
std::string RP_RTFEscapeAnsi(std::string_view Text, int CodePage);

// 16-bit text: ASCII as above, the characters RTF names by their keywords, and every other
// code unit as "\uN" followed by its fallback in CodePage; "\ucN" is written whenever the
// fallback's length differs from the count in force (UcCount, which starts at 1 and is left
// as the text ends).
std::string RP_RTFEscapeUnicode(std::u16string_view Text, int CodePage, int& UcCount);

// A name inside a table or an instruction: "\", "{" and "}" escaped, ";" as "\'3b",
// non-ASCII as "\uN?" (with \uc1 in force), control characters dropped.
std::string RP_RTFEscapeName(std::u16string_view Name);

// Text of a style marked as RTF code: its backslashes and braces stay keywords and groups;
// only bytes below 32 or from 128 on are written as "\'hh".
std::string RP_RTFEscapeCode(std::string_view Text);
