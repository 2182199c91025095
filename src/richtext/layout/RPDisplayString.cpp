#include "richtext/layout/RPDisplayString.h"

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"

char16_t RP_UpperCase(char16_t Ch) {
  if (Ch >= u'a' && Ch <= u'z')
    return Ch - 32;
  if (Ch < 0xB5)
    return Ch;
  if (Ch == 0xB5)
    return 0x039C; // micro sign: Greek capital mu
  if ((Ch >= 0xE0 && Ch <= 0xFE && Ch != 0xF7))
    return Ch - 32;
  if (Ch == 0xFF)
    return 0x0178;
  // Latin Extended-A pairs capitals and small letters.
  if (Ch == 0x0131)
    return u'I'; // dotless i
  if (Ch >= 0x0100 && Ch <= 0x0137)
    return Ch & ~char16_t{1};
  if ((Ch >= 0x0139 && Ch <= 0x0148) || (Ch >= 0x0179 && Ch <= 0x017E))
    return (Ch & 1) ? Ch : Ch - 1;
  if (Ch >= 0x014A && Ch <= 0x0177)
    return Ch & ~char16_t{1};
  if (Ch == 0x017F)
    return u'S';
  if (Ch >= 0x03B1 && Ch <= 0x03C9 && Ch != 0x03C2)
    return Ch - 32;
  if (Ch == 0x03C2)
    return 0x03A3; // final sigma
  if (Ch >= 0x0430 && Ch <= 0x044F)
    return Ch - 32;
  if (Ch >= 0x0450 && Ch <= 0x045F)
    return Ch - 80;
  return Ch;
}

std::string RP_ReturnProcessedString(std::string_view Text, bool Unicode,
                                     const TFontInfo& TextStyle, bool LastOnLine,
                                     bool DeleteInvisible, bool ShowSpecialCharacters,
                                     int CodePage) {
  const bool Caps = TextStyle.StyleEx.Contains(rpfsAllCaps);
  if (!Unicode) {
    if (!Caps)
      return std::string(Text);
    std::u16string Wide = RP_AnsiToUnicode(Text, CodePage);
    for (char16_t& Ch : Wide)
      Ch = RP_UpperCase(Ch);
    return RP_UnicodeToAnsi(Wide, CodePage);
  }
  const TRPTextView View = TRPTextView::Utf16LE(Text);
  std::string Result;
  Result.reserve(Text.size());
  for (int32_t i = 0; i < View.Length(); ++i) {
    char16_t Ch = View[i];
    if (Caps)
      Ch = RP_UpperCase(Ch);
    if (Ch == 0x2011) {
      Ch = u'-';
    } else if (Ch == 0x00AD) {
      if (LastOnLine && i == View.Length() - 1)
        Ch = u'-';
      else if (ShowSpecialCharacters)
        Ch = 0x00AC;
      else if (DeleteInvisible)
        continue;
    }
    Result += static_cast<char>(Ch & 0xFF);
    Result += static_cast<char>(Ch >> 8);
  }
  return Result;
}

TRPDisplayText::TRPDisplayText(TCustomRPFormattedData& RPData, int ItemNo,
                               const TFontInfo& TextStyle) {
  const TCustomRPItemInfo& Item = *RPData.GetItem(ItemNo);
  FText = Item.ItemText();
  FUnicode = Item.Unicode();
  const bool ShowSoftHyphens = RPData.ShowsSoftHyphens();
  const TRPTextView Stored = View();
  bool Changes = TextStyle.StyleEx.Contains(rpfsAllCaps);
  for (int32_t i = 0; !Changes && FUnicode && i < Stored.Length(); ++i)
    Changes = Stored[i] == 0x2011 || (ShowSoftHyphens && Stored[i] == 0x00AD);
  if (!Changes)
    return;
  FProcessed = RP_ReturnProcessedString(FText, FUnicode, TextStyle, false, false, ShowSoftHyphens,
                                        RPData.GetItemCodePage(ItemNo));
  // Positions in both forms must agree; a conversion that changed the length of a
  // double-byte text is not used.
  if (FProcessed.size() == FText.size())
    FText = FProcessed;
}

TRPTextView TRPDisplayText::View() const {
  return FUnicode ? TRPTextView::Utf16LE(FText) : TRPTextView::Ansi(FText);
}
