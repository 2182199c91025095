#include "richtext/model/RPNumbering.h"
#include "richtext/gfx/RPCodePage.h"

#include <algorithm>
#include <optional>

namespace {

std::u16string Decimal(int32_t n) {
  const std::string Digits = std::to_string(n);
  return std::u16string(Digits.begin(), Digits.end());
}

std::u16string LowerCased(std::u16string Text) {
  for (char16_t& Ch : Text)
    if (Ch >= u'A' && Ch <= u'Z')
      Ch = static_cast<char16_t>(Ch - u'A' + u'a');
  return Text;
}

bool IsDigit(char16_t Ch) { return Ch >= u'0' && Ch <= u'9'; }

// Digits from Pos on, saturating; nullopt when there are none.
std::optional<int32_t> ReadNumber(std::u16string_view Pattern, size_t& Pos) {
  if (Pos >= Pattern.size() || !IsDigit(Pattern[Pos]))
    return std::nullopt;
  int64_t Value = 0;
  for (; Pos < Pattern.size() && IsDigit(Pattern[Pos]); ++Pos)
    Value = std::min<int64_t>(Value * 10 + (Pattern[Pos] - u'0'), INT32_MAX);
  return static_cast<int32_t>(Value);
}

struct TPlaceholder {
  std::optional<int32_t> Index;
  bool LeftJustify = false;
  int32_t Width = 0;
  std::optional<int32_t> Precision;
};

// Parses the placeholder whose "%" is at Start; Pos ends after its type letter.
// nullopt for anything that is not a string placeholder.
std::optional<TPlaceholder> ParsePlaceholder(std::u16string_view Pattern, size_t Start,
                                             size_t& Pos) {
  TPlaceholder P;
  Pos = Start + 1;
  const size_t NumberStart = Pos;
  const std::optional<int32_t> Number = ReadNumber(Pattern, Pos);
  if (Number && Pos < Pattern.size() && Pattern[Pos] == u':') {
    P.Index = Number;
    ++Pos;
  } else {
    // The digits were a width.
    Pos = NumberStart;
  }
  if (Pos < Pattern.size() && Pattern[Pos] == u'-') {
    P.LeftJustify = true;
    ++Pos;
  }
  if (std::optional<int32_t> Width = ReadNumber(Pattern, Pos))
    P.Width = std::min(*Width, RP_MaxPatternWidth);
  if (Pos < Pattern.size() && Pattern[Pos] == u'.') {
    ++Pos;
    P.Precision = ReadNumber(Pattern, Pos);
    if (!P.Precision)
      return std::nullopt;
  }
  if (Pos >= Pattern.size() || (Pattern[Pos] != u's' && Pattern[Pos] != u'S'))
    return std::nullopt;
  ++Pos;
  return P;
}

} // namespace

std::u16string RP_IntToAlpha(int32_t n) {
  std::u16string Result;
  for (int64_t Value = n; Value > 0; Value = (Value - 1) / 26)
    Result.insert(Result.begin(), static_cast<char16_t>(u'A' + (Value - 1) % 26));
  return Result;
}

std::u16string RP_IntToRoman(int32_t n) {
  if (n <= 0)
    return u"?";
  if (n > RP_MaxRomanNumber)
    return Decimal(n);
  static constexpr struct {
    int32_t Value;
    const char16_t* Text;
  } Numerals[] = {{1000, u"M"}, {900, u"CM"}, {500, u"D"}, {400, u"CD"}, {100, u"C"},
                  {90, u"XC"},  {50, u"L"},   {40, u"XL"}, {10, u"X"},   {9, u"IX"},
                  {5, u"V"},    {4, u"IV"},   {1, u"I"}};
  std::u16string Result;
  for (const auto& Numeral : Numerals)
    for (; n >= Numeral.Value; n -= Numeral.Value)
      Result += Numeral.Text;
  return Result;
}

std::u16string RP_NumberToText(int32_t n, TRPSeqType NumberType) {
  switch (NumberType) {
  case rpseqDecimal: return Decimal(n);
  case rpseqLowerAlpha: return LowerCased(RP_IntToAlpha(n));
  case rpseqUpperAlpha: return RP_IntToAlpha(n);
  case rpseqLowerRoman: return LowerCased(RP_IntToRoman(n));
  case rpseqUpperRoman: return RP_IntToRoman(n);
  }
  return Decimal(n);
}

std::u16string RP_FormatPattern(std::u16string_view Pattern, std::span<const std::u16string> Args) {
  std::u16string Result;
  Result.reserve(Pattern.size());
  size_t NextArg = 0;
  size_t i = 0;
  while (i < Pattern.size()) {
    const size_t Percent = Pattern.find(u'%', i);
    Result.append(
        Pattern.substr(i, Percent == std::u16string_view::npos ? Pattern.npos : Percent - i));
    if (Percent == std::u16string_view::npos)
      break;
    if (Percent + 1 < Pattern.size() && Pattern[Percent + 1] == u'%') {
      Result += u'%';
      i = Percent + 2;
      continue;
    }
    size_t End = Percent;
    const std::optional<TPlaceholder> P = ParsePlaceholder(Pattern, Percent, End);
    if (!P) {
      // Not ours to understand: the "%" stays, and what follows it is plain text.
      Result += u'%';
      i = Percent + 1;
      continue;
    }
    if (P->Index)
      NextArg = static_cast<size_t>(*P->Index);
    std::u16string_view Arg;
    if (NextArg < Args.size())
      Arg = Args[NextArg];
    if (NextArg < SIZE_MAX)
      ++NextArg;
    if (P->Precision && static_cast<size_t>(*P->Precision) < Arg.size()) {
      size_t Cut = static_cast<size_t>(*P->Precision);
      // Half a surrogate pair is no character.
      if (Cut > 0 && RP_IsHighSurrogate(Arg[Cut - 1]))
        --Cut;
      Arg = Arg.substr(0, Cut);
    }
    const size_t Padding =
        Arg.size() < static_cast<size_t>(P->Width) ? static_cast<size_t>(P->Width) - Arg.size() : 0;
    if (!P->LeftJustify)
      Result.append(Padding, u' ');
    Result.append(Arg);
    if (P->LeftJustify)
      Result.append(Padding, u' ');
    i = End;
  }
  return Result;
}
