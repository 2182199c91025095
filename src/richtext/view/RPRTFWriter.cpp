#include "richtext/view/RPRTFWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/view/RPRTFEscape.h"
#include "richtext/view/RPTextWriter.h"

namespace {

// The code page a document's 8-bit text is in when its style sheet names none.
constexpr int DefaultCodePage = 1252;

std::string Keyword(std::string_view Name, int64_t Value) {
  std::string Out(Name);
  Out += std::to_string(Value);
  return Out;
}

class TRTFWriter {
public:
  explicit TRTFWriter(TCustomRPData& Doc)
      : FDoc(Doc), FSheet(*Doc.GetRPStyle()),
        FCodePage(FSheet.DefCodePage > 0 ? FSheet.DefCodePage : DefaultCodePage) {}

  std::string Write(const TRPItemRange& Range) {
    std::string Body;
    for (int i = Range.FirstItem; i <= Range.LastItem; ++i) {
      const int From = i == Range.FirstItem ? Range.FirstOffs : FDoc.GetOffsBeforeItem(i);
      const int To = i == Range.LastItem ? Range.LastOffs : FDoc.GetOffsAfterItem(i);
      // Nothing of the first item when the selection starts at its very end.
      if (i == Range.FirstItem && i < Range.LastItem && From >= FDoc.GetOffsAfterItem(i))
        continue;
      WriteItem(Body, i, From, To, i == Range.FirstItem || FirstWritten);
    }
    if (Range.LastItem == FDoc.GetItemCount() - 1 &&
        Range.LastOffs >= FDoc.GetOffsAfterItem(Range.LastItem))
      Body += "\\par";
    return Header() + Body + "}";
  }

private:
  void WriteItem(std::string& Out, int ItemNo, int From, int To, bool First) {
    TCustomRPItemInfo& Item = *FDoc.GetItem(ItemNo);
    if (FDoc.IsHiddenItem(ItemNo))
      return;
    if (!First || FWrittenAny) {
      if (!Item.SameAsPrev()) {
        Out += "\r\n";
        Out += Item.BR() ? "\\line " : "\\par ";
      }
    }
    FirstWritten = true;
    if (!Item.SameAsPrev() || !FWrittenAny) {
      const int ParaNo = FDoc.GetItemPara(ItemNo);
      if (ParaNo != FLastPara) {
        Out += "\\pard";
        Out += ParaFormat(ParaNo);
        Out += ' ';
        FLastPara = ParaNo;
      }
    }
    FWrittenAny = true;
    if (Item.Checkpoint && !Item.Checkpoint->Name.empty()) {
      const std::string Name = BookmarkName(Item.Checkpoint->Name);
      Out += "{\\*\\bkmkstart " + Name + "}{\\*\\bkmkend " + Name + "}";
    }
    const bool Link = !Item.Tag.empty() && Item.IsTextItem();
    if (Link) {
      Out += "{\\field{\\*\\fldinst HYPERLINK \"";
      Out += RP_RTFEscapeName(HyperlinkTarget(Item.Tag));
      Out += "\"}{\\fldrslt ";
    }
    if (Item.IsTextItem()) {
      const int StyleNo = FDoc.GetItemStyle(ItemNo);
      if (StyleNo != FLastStyle || Link) {
        Out += "\\plain";
        Out += CharFormat(StyleNo);
        Out += ' ';
        FLastStyle = Link ? -1 : StyleNo;
      }
      if (To > From)
        WriteText(Out, ItemNo, StyleNo, From, To);
    } else if (Item.StyleNo == rpsTab && From < To) {
      Out += "\\tab ";
    }
    if (Link)
      Out += "}}";
  }

  void WriteText(std::string& Out, int ItemNo, int StyleNo, int From, int To) {
    const TCustomRPItemInfo& Item = *FDoc.GetItem(ItemNo);
    const int CodePage = FDoc.GetStyleCodePage(StyleNo);
    if (Item.Unicode()) {
      const std::u16string Text = FDoc.GetItemTextW(ItemNo);
      int Uc = 1;
      Out += RP_RTFEscapeUnicode(std::u16string_view(Text).substr(static_cast<size_t>(From - 1),
                                                                  static_cast<size_t>(To - From)),
                                 CodePage > 0 ? CodePage : FCodePage, Uc);
      if (Uc != 1)
        Out += "\\uc1 ";
    } else {
      Out += RP_RTFEscapeAnsi(
          std::string_view(FDoc.GetItemTextR(ItemNo))
              .substr(static_cast<size_t>(From - 1), static_cast<size_t>(To - From)),
          CodePage > 0 ? CodePage : FCodePage);
    }
  }

  // ---- formatting

  std::string CharFormat(int StyleNo) {
    const TFontInfo& Style = FSheet.TextStyles.Items(StyleNo);
    std::string Out = Keyword("\\f", FontIndex(Style.FontName, Style.Charset));
    if (Style.Style.Contains(fsBold))
      Out += "\\b";
    if (Style.Style.Contains(fsItalic))
      Out += "\\i";
    if (Style.Style.Contains(fsUnderline)) {
      static const char* const Kinds[] = {
          "ul",      "ulth",      "uldb",    "uld",       "ulthd",    "uldash",    "ulthdash",
          "ulldash", "ulthldash", "uldashd", "ulthdashd", "uldashdd", "ulthdashdd"};
      const size_t Kind = static_cast<size_t>(Style.UnderlineType);
      Out += '\\';
      Out += Kind < std::size(Kinds) ? Kinds[Kind] : "ul";
      if (Style.UnderlineColor != clNone)
        Out += Keyword("\\ulc", ColorIndex(Style.UnderlineColor));
    }
    if (Style.Style.Contains(fsStrikeOut))
      Out += "\\strike";
    if (Style.SubSuperScriptType == rpsssSubscript)
      Out += "\\sub";
    else if (Style.SubSuperScriptType == rpsssSuperScript)
      Out += "\\super";
    if (Style.VShift != 0) {
      const int64_t HalfPoints = (int64_t{Style.VShift} * Style.SizeDouble + 50) / 100;
      Out += Keyword(Style.VShift > 0 ? "\\up" : "\\dn", HalfPoints < 0 ? -HalfPoints : HalfPoints);
    }
    if (Style.CharScale != 100)
      Out += Keyword("\\charscalex", Style.CharScale);
    if (Style.CharSpacing != 0)
      Out += Keyword("\\expndtw", FSheet.GetAsTwips(Style.CharSpacing));
    if (Style.Options.Contains(rpteoHidden))
      Out += "\\v";
    Out += Keyword("\\fs", Style.SizeDouble);
    if (Style.BackColor != clNone)
      Out += Keyword("\\chcbpat", ColorIndex(Style.BackColor));
    if (Style.Color != clWindowText && Style.Color != clNone)
      Out += Keyword("\\cf", ColorIndex(Style.Color));
    return Out;
  }

  std::string ParaFormat(int ParaNo) {
    const TParaInfo& Para = FSheet.ParaStyles.Items(ParaNo);
    std::string Out;
    switch (Para.LineSpacingType) {
    case rplsPercent:
      if (Para.LineSpacing != 100)
        Out += Keyword("\\sl", int64_t{Para.LineSpacing} * 240 / 100) + "\\slmult1";
      break;
    default: break;
    }
    Out += Keyword("\\fi", FSheet.GetAsTwips(Para.FirstIndent));
    Out += Keyword("\\li", FSheet.GetAsTwips(Para.LeftIndent));
    for (int t = 0; t < Para.Tabs.Count(); ++t) {
      const TRPTabInfo& Tab = Para.Tabs[t];
      if (Tab.Align == rptaRight)
        Out += "\\tqr";
      else if (Tab.Align == rptaCenter)
        Out += "\\tqc";
      Out += Keyword("\\tx", FSheet.GetAsTwips(Tab.Position()));
    }
    static const char* const Alignments[] = {"\\ql", "\\qr", "\\qc", "\\qj", "\\qd"};
    Out += Alignments[std::min<size_t>(Para.Alignment, std::size(Alignments) - 1)];
    Out += Keyword("\\ri", FSheet.GetAsTwips(Para.RightIndent));
    if (Para.OutlineLevel >= 1)
      Out += Keyword("\\outlinelevel", Para.OutlineLevel - 1);
    if (Para.Background.Color != clNone)
      Out += Keyword("\\cbpat", ColorIndex(Para.Background.Color));
    Out += Keyword("\\sb", FSheet.GetAsTwips(Para.SpaceBefore()));
    Out += Keyword("\\sa", FSheet.GetAsTwips(Para.SpaceAfter()));
    return Out;
  }

  // ---- tables of the header

  int FontIndex(const std::string& Name, uint8_t Charset) {
    const auto Found =
        std::find(FFonts.begin(), FFonts.end(), std::pair<std::string, uint8_t>(Name, Charset));
    if (Found != FFonts.end())
      return static_cast<int>(Found - FFonts.begin());
    FFonts.emplace_back(Name, Charset);
    return static_cast<int>(FFonts.size()) - 1;
  }

  // Entry 0 is the automatic colour, the window text's.
  int ColorIndex(TRPColor Color) {
    if (Color == clWindowText || Color == clNone)
      return 0;
    const auto Found = std::find(FColors.begin(), FColors.end(), Color);
    if (Found != FColors.end())
      return static_cast<int>(Found - FColors.begin()) + 1;
    FColors.push_back(Color);
    return static_cast<int>(FColors.size());
  }

  std::string Header() {
    if (FFonts.empty())
      FontIndex(FSheet.TextStyles.Items(0).FontName, FSheet.TextStyles.Items(0).Charset);
    std::string Out = "{\\rtf1\\fbidis\\ansi" + Keyword("\\ansicpg", FCodePage) +
                      "\\uc1\\deff0\\deflang0\\deflangfe0\r\n{\\fonttbl";
    for (size_t i = 0; i < FFonts.size(); ++i) {
      Out += Keyword("{\\f", static_cast<int64_t>(i)) + "\\fnil";
      if (FFonts[i].second != 1)
        Out += Keyword("\\fcharset", FFonts[i].second);
      Out += ' ';
      Out += RP_RTFEscapeName(RP_AnsiToUnicode(FFonts[i].first, CP_UTF8));
      Out += ";}";
    }
    Out += "}\r\n{\\colortbl;";
    for (const TRPColor Color : FColors) {
      const uint32_t RGB = RP_ColorToRGB(Color);
      Out += Keyword("\\red", RGB & 0xFF) + Keyword("\\green", (RGB >> 8) & 0xFF) +
             Keyword("\\blue", (RGB >> 16) & 0xFF) + ";";
    }
    Out += "}\r\n";
    return Out;
  }

  // A link's target as the instruction quotes it: a backslash or a quote inside gets a
  // backslash; what follows "#" becomes the place switch.
  static std::u16string HyperlinkTarget(const std::string& Tag) {
    const auto Quoted = [](std::u16string_view Text) {
      std::u16string Out;
      for (const char16_t Ch : Text) {
        if (Ch == u'\\' || Ch == u'"')
          Out += u'\\';
        Out += Ch;
      }
      return Out;
    };
    const std::u16string Target = RP_AnsiToUnicode(Tag, CP_UTF8);
    const size_t Hash = Target.find(u'#');
    if (Hash == std::u16string::npos)
      return Quoted(Target);
    // The quotes around the target close before the switch and open again after it.
    return Quoted(std::u16string_view(Target).substr(0, Hash)) + u"\" \\l \"" +
           Quoted(std::u16string_view(Target).substr(Hash + 1));
  }

  // A bookmark's name as an identifier: letters, digits and "_".
  static std::string BookmarkName(const std::string& Name) {
    std::string Out;
    for (const char C : Name)
      Out += (std::isalnum(static_cast<unsigned char>(C)) || C == '_') ? C : '_';
    return Out.empty() ? std::string("_") : Out;
  }

  TCustomRPData& FDoc;
  const TRPStyle& FSheet;
  const int FCodePage;
  std::vector<std::pair<std::string, uint8_t>> FFonts;
  std::vector<TRPColor> FColors;
  int FLastPara = -1;
  int FLastStyle = -1;
  bool FWrittenAny = false;
  bool FirstWritten = false;
};

} // namespace

std::string RP_SelectionRTF(TCustomRPFormattedData& Doc) {
  const std::optional<TRPItemRange> Range = RP_SelectedItems(Doc);
  return Range && Doc.GetRPStyle() ? TRTFWriter(Doc).Write(*Range) : std::string();
}

std::string RP_DocumentRTF(TCustomRPData& Doc) {
  const std::optional<TRPItemRange> Range = RP_AllItems(Doc);
  return Range && Doc.GetRPStyle() ? TRTFWriter(Doc).Write(*Range) : std::string();
}
