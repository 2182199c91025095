#include "richtext/rtf/RPRTFCodePages.h"

#include <array>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/rtf/RPRTFTables.h"

int GetCurrentCodePage(const TRPRTFFontList& Fonts, int32_t FontIndex, int DefCodePage,
                       std::optional<int> AnsiCodePage) {
  const bool DocumentPageKnown = AnsiCodePage && RP_IsKnownCodePage(*AnsiCodePage);
  if (!Fonts.IsValidIndex(FontIndex))
    return DocumentPageKnown ? *AnsiCodePage : DefCodePage;
  const TRPRTFFont& Font = Fonts.Get(FontIndex);
  if (Font.CodePage != 0 && RP_IsKnownCodePage(Font.CodePage))
    return Font.CodePage;
  const uint8_t Charset = Font.Charset;
  const int CodePage = RPU_Charset2CodePage(Charset);
  // Symbol fonts map to the system code page too, but their bytes are glyph numbers, not
  // text in the document's code page.
  if (CodePage == CP_ACP && Charset != 2 && DocumentPageKnown)
    return *AnsiCodePage;
  return CodePage;
}

namespace {

bool IsOEMCodePage(int CodePage) {
  switch (RP_ActualCodePage(CodePage)) {
  case 437:
  case 850:
  case 866: return true;
  default: return false;
  }
}

// What the OEM code pages show for the control codes 0x00..0x1F.
constexpr std::array<char16_t, 32> OEMControlGlyphs = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
constexpr char16_t OEMGlyphOfDelete = 0x2302;

} // namespace

std::u16string AnsiToUnicode(std::string_view S, int CodePage) {
  if (S.empty())
    return {};
  if (!RP_IsKnownCodePage(CodePage) && CodePage != CP_ACP)
    CodePage = CP_ACP;
  if (!RP_IsKnownCodePage(CodePage))
    return std::u16string(S.size(), u'?');
  std::u16string Result = RP_AnsiToUnicode(S, CodePage);
  if (IsOEMCodePage(CodePage))
    for (char16_t& C : Result) {
      if (C < OEMControlGlyphs.size())
        C = OEMControlGlyphs[C];
      else if (C == 0x7F)
        C = OEMGlyphOfDelete;
    }
  return Result;
}

std::string UnicodeToAnsi(std::u16string_view W, int CodePage) {
  if (W.empty())
    return {};
  if (!RP_IsKnownCodePage(CodePage) && CodePage != CP_ACP)
    CodePage = CP_ACP;
  if (!RP_IsKnownCodePage(CodePage))
    return std::string(W.size(), '?');
  return RP_UnicodeToAnsi(W, CodePage);
}

namespace {

using TUpperHalf = std::array<char, 128>;

// The 1252 byte of each upper-half character of CodePage; "?" where 1252 lacks it.
TUpperHalf UpperHalfIn1252(int CodePage) {
  TUpperHalf Table{};
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char Byte = static_cast<char>(b);
    const std::u16string Unit = RP_AnsiToUnicode(std::string_view(&Byte, 1), CodePage);
    const std::string Back = RP_UnicodeToAnsi(Unit, 1252);
    Table[static_cast<size_t>(b - 0x80)] = Back.size() == 1 ? Back[0] : '?';
  }
  return Table;
}

const TUpperHalf& OEM437Table() {
  static const TUpperHalf Table = [] {
    TUpperHalf T = UpperHalfIn1252(437);
    const auto Set = [&T](int Byte, char To) { T[static_cast<size_t>(Byte - 0x80)] = To; };
    // Box drawing has no 1252 counterpart, but lines and corners still read as a frame.
    for (int b = 0xB4; b <= 0xDA; ++b)
      Set(b, '+');
    Set(0xB3, '|');
    Set(0xBA, '|');
    Set(0xC4, '-');
    Set(0xCD, '-');
    // In PC 437 this is the Greek mu more often than the micro sign.
    Set(0xE6, '?');
    Set(0xF9, static_cast<char>(0xB7));
    Set(0xFC, 'n');
    return T;
  }();
  return Table;
}

const TUpperHalf& MacTable() {
  static const TUpperHalf Table = [] {
    TUpperHalf T = UpperHalfIn1252(10000);
    const auto Set = [&T](int Byte, char To) { T[static_cast<size_t>(Byte - 0x80)] = To; };
    Set(0xDA, '/');
    Set(0xF5, 'I');
    Set(0xFA, static_cast<char>(0xB7));
    // The Mac's spacing cedilla is one of its accent marks; shown alone it misleads.
    Set(0xFC, '?');
    return T;
  }();
  return Table;
}

std::string Translate(std::string_view S, const TUpperHalf& Table) {
  std::string Result(S);
  for (char& C : Result)
    if (static_cast<uint8_t>(C) >= 0x80)
      C = Table[static_cast<size_t>(static_cast<uint8_t>(C) - 0x80)];
  return Result;
}

} // namespace

std::string OEM437ToANSICharset(std::string_view S) { return Translate(S, OEM437Table()); }

std::string MacToANSICharset(std::string_view S) { return Translate(S, MacTable()); }
