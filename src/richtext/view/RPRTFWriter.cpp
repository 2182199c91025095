#include "richtext/view/RPRTFWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPPicture.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPListInfo.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"
#include "richtext/view/RPRTFEscape.h"
#include "richtext/view/RPTextWriter.h"

namespace {

// The code page a document's 8-bit text is in when its style sheet names none.
constexpr int DefaultCodePage = 1252;

// The language a character set stands for, 0 for the default set and those without one.
int CharsetLanguage(uint8_t Charset) {
  switch (Charset) {
  case 128: return 1041; // Japanese
  case 129: return 1042; // Korean
  case 134: return 2052; // Simplified Chinese
  case 136: return 1028; // Traditional Chinese
  case 161: return 1032; // Greek
  case 162: return 1055; // Turkish
  case 163: return 1066; // Vietnamese
  case 177: return 1037; // Hebrew
  case 178: return 1025; // Arabic
  case 186: return 1062; // Baltic: Latvian
  case 204: return 1049; // Cyrillic: Russian
  case 222: return 1054; // Thai
  case 238: return 1045; // Central European: Polish
  default: return 0;
  }
}

std::string Keyword(std::string_view Name, int64_t Value) {
  std::string Out(Name);
  Out += std::to_string(Value);
  return Out;
}

// Where a range is being written: the formats in force and what came before.
struct TRangeState {
  TCustomRPData& Doc;
  // Inside a table's cell: paragraphs are marked as such.
  bool InTable = false;
  int LastPara = -1;
  int LastStyle = -1;
  bool WrittenAny = false;
  // The last thing written was a table, which ends its own paragraph.
  bool AfterTable = false;
  // The run written last is raised or lowered.
  bool InScript = false;
};

class TRTFWriter {
public:
  explicit TRTFWriter(const TRPStyle& Sheet)
      : FSheet(Sheet), FCodePage(Sheet.DefCodePage > 0 ? Sheet.DefCodePage : DefaultCodePage) {}

  // A whole RTF document of the range; "\par" at its end when the range reaches the end.
  std::string Document(TCustomRPData& Doc, const TRPItemRange& Range) {
    std::string Body = WriteRange(Doc, Range, false);
    if (Range.LastItem == Doc.GetItemCount() - 1 &&
        Range.LastOffs >= Doc.GetOffsAfterItem(Range.LastItem)) {
      // The place after the last item, by its name or as the document's end.
      if (Doc.NotAddedCP) {
        const std::string Name = Doc.NotAddedCP->Name.empty() ? std::string("RichPaneCheckpoint1")
                                                              : BookmarkName(Doc.NotAddedCP->Name);
        Body += "{\\*\\bkmkstart " + Name + "}{\\*\\bkmkend " + Name + "}";
      }
      Body += "\\par";
    }
    return Header() + Body + "}";
  }

  // A whole RTF document of the cells of Table that Take chooses, as a table.
  template <typename TTake> std::string CellsDocument(TRPTableItemInfo& Table, TTake Take) {
    std::string Body;
    WriteTable(Body, Table, Take);
    return Header() + Body + "}";
  }

private:
  std::string WriteRange(TCustomRPData& Doc, const TRPItemRange& Range, bool InTable) {
    TRangeState State{Doc, InTable};
    std::string Out;
    // A selection inside a list item keeps the item's number or bullet.
    if (const int Marker = RP_LeadingMarker(Doc, Range.FirstItem); Marker >= 0)
      WriteItem(Out, State, Marker, Doc.GetOffsBeforeItem(Marker), Doc.GetOffsAfterItem(Marker));
    for (int i = Range.FirstItem; i <= Range.LastItem; ++i) {
      const int From = i == Range.FirstItem ? Range.FirstOffs : Doc.GetOffsBeforeItem(i);
      const int To = i == Range.LastItem ? Range.LastOffs : Doc.GetOffsAfterItem(i);
      // Nothing of the first item when the selection starts at its very end (an empty
      // item, whose start is its end, is a paragraph all the same).
      if (i == Range.FirstItem && i < Range.LastItem && From >= Doc.GetOffsAfterItem(i) &&
          Doc.GetOffsAfterItem(i) > Doc.GetOffsBeforeItem(i))
        continue;
      // Of the last item, when the selection ends at its very start, only the paragraph
      // end before it.
      if (i == Range.LastItem && i > Range.FirstItem && To <= Doc.GetOffsBeforeItem(i) &&
          Doc.GetOffsAfterItem(i) > Doc.GetOffsBeforeItem(i)) {
        if (State.WrittenAny && !Doc.GetItem(i)->SameAsPrev() && !Doc.GetItem(i)->BR())
          Out += "\r\n\\par ";
        continue;
      }
      WriteItem(Out, State, i, From, To);
    }
    return Out;
  }

  void WriteItem(std::string& Out, TRangeState& State, int ItemNo, int From, int To) {
    TCustomRPData& Doc = State.Doc;
    TCustomRPItemInfo& Item = *Doc.GetItem(ItemNo);
    // Hidden text is written hidden (\\v); a hidden object ends its paragraph and no more.
    const bool HiddenObject = !Item.IsTextItem() && Doc.IsHiddenItem(ItemNo);
    if (auto* Table = dynamic_cast<TRPTableItemInfo*>(&Item); Table && !HiddenObject) {
      if (From < To)
        WriteWholeTable(Out, State, *Table, Item.PageBreakBefore());
      return;
    }
    if (State.WrittenAny && !Item.SameAsPrev()) {
      Out += "\r\n";
      if (!State.AfterTable)
        Out += Item.BR() ? "\\line " : "\\par ";
      if (Item.PageBreakBefore())
        Out += "\\page ";
    }
    if (HiddenObject) {
      State.AfterTable = false;
      State.WrittenAny = true;
      return;
    }
    if (const auto* Rule = dynamic_cast<const TRPBreakItemInfo*>(&Item)) {
      WriteRule(Out, State, *Rule);
      return;
    }
    State.AfterTable = false;
    const auto* Marker =
        Item.StyleNo == rpsListMarker ? dynamic_cast<const TRPMarkerItemInfo*>(&Item) : nullptr;
    if ((!Item.SameAsPrev() && !Item.BR()) || !State.WrittenAny) {
      const int ParaNo = Doc.GetItemPara(ItemNo);
      if (ParaNo != State.LastPara || Marker) {
        Out += "\\pard";
        Out += ParaFormat(ParaNo);
        if (Marker)
          Out += ListFormat(*Marker);
        if (State.InTable)
          Out += "\\intbl";
        Out += ' ';
        // After a list item the next paragraph states its own format again.
        State.LastPara = Marker ? -1 : ParaNo;
      }
    }
    State.WrittenAny = true;
    if (Marker) {
      // The marker's text for readers without lists; ours makes the marker from \ls.
      std::u16string Text = Item.AsText(0, Doc);
      while (!Text.empty() && Text.back() == u' ')
        Text.pop_back();
      int Uc = 1;
      Out += "{\\listtext\\plain " + RP_RTFEscapeUnicode(Text, FCodePage, Uc) + "\\tab}";
      State.LastStyle = -1;
      return;
    }
    if (Item.Checkpoint() && !Item.Checkpoint()->Name.empty()) {
      const std::string Name = BookmarkName(Item.Checkpoint()->Name);
      Out += "{\\*\\bkmkstart " + Name + "}{\\*\\bkmkend " + Name + "}";
    }
    const bool Link = !Item.Tag().empty() &&
                      (Item.IsTextItem() || dynamic_cast<const TRPGraphicItemInfo*>(&Item));
    if (Link) {
      Out += "{\\field{\\*\\fldinst HYPERLINK \"";
      Out += RP_RTFEscapeName(HyperlinkTarget(Item.Tag()));
      Out += "\"}{\\fldrslt ";
    }
    if (Item.IsTextItem()) {
      const int StyleNo = Doc.GetItemStyle(ItemNo);
      if (StyleNo != State.LastStyle || Link) {
        // Some readers take "\\plain" after a raised run for a paragraph's end unless the
        // raising is ended first.
        if (State.InScript)
          Out += "\\nosupersub";
        Out += "\\plain";
        Out += CharFormat(StyleNo);
        State.InScript = FSheet.TextStyles.Items(StyleNo).SubSuperScriptType != rpsssNormal;
        Out += ' ';
        State.LastStyle = Link ? -1 : StyleNo;
      }
      if (To > From)
        WriteText(Out, Doc, ItemNo, StyleNo, From, To);
    } else if (Item.StyleNo == rpsTab && From < To) {
      Out += "\\tab ";
    } else if (const auto* Graphic = dynamic_cast<const TRPGraphicItemInfo*>(&Item);
               Graphic && From < To) {
      WritePicture(Out, *Graphic);
    }
    if (Link)
      Out += "}}";
  }

  // A rule: for other readers an empty paragraph with a bottom border, for ours the
  // engine's own keyword, which makes the rule of the paragraph.
  void WriteRule(std::string& Out, TRangeState& State, const TRPBreakItemInfo& Rule) {
    const int32_t WidthTw = FSheet.GetAsTwips(Rule.LineWidth);
    const TRPColor Color = Rule.Color != clNone ? Rule.Color : FSheet.TextStyles.Items(0).Color;
    Out += "\\pard\\plain\\brdrb";
    Out += Rule.Style == rpbsDotted   ? "\\brdrdot"
           : Rule.Style == rpbsDashed ? "\\brdrdash"
                                      : "\\brdrs";
    Out += Keyword("\\brdrw", WidthTw) + Keyword("\\brdrcf", ColorIndex(Color));
    if (State.InTable)
      Out += "\\intbl";
    Out += Keyword("\\richpanehr", WidthTw) + ' ';
    State.WrittenAny = true;
    State.AfterTable = false;
    State.LastPara = State.LastStyle = -1;
  }

  void WriteText(std::string& Out, TCustomRPData& Doc, int ItemNo, int StyleNo, int From, int To) {
    const TCustomRPItemInfo& Item = *Doc.GetItem(ItemNo);
    const int StyleCodePage = Doc.GetStyleCodePage(StyleNo);
    const int CodePage = StyleCodePage > 0 ? StyleCodePage : FCodePage;
    const auto Start = static_cast<size_t>(From - 1), Count = static_cast<size_t>(To - From);
    if (FSheet.TextStyles.Items(StyleNo).Options.Contains(rpteoRTFCode)) {
      const std::string Code = Item.Unicode() ? RP_UnicodeToAnsi(Doc.GetItemTextW(ItemNo), CodePage)
                                              : std::string(Doc.GetItemTextR(ItemNo));
      Out += RP_RTFEscapeCode(std::string_view(Code).substr(std::min(Start, Code.size()), Count));
    } else if (Item.Unicode()) {
      const std::u16string Text = Doc.GetItemTextW(ItemNo);
      int Uc = 1;
      Out += RP_RTFEscapeUnicode(std::u16string_view(Text).substr(Start, Count), CodePage, Uc);
      if (Uc != 1)
        Out += "\\uc1 ";
    } else {
      Out += RP_RTFEscapeAnsi(std::string_view(Doc.GetItemTextR(ItemNo)).substr(Start, Count),
                              CodePage);
    }
  }

  // ---- pictures

  // A picture as the bytes it was read from, in hex, at the size it is shown; one without
  // them (the mark of a picture that could not be read) is left out.
  void WritePicture(std::string& Out, const TRPGraphicItemInfo& Graphic) {
    const TRPPicture* Picture = Graphic.Image();
    const TRPPictureSource* Source = Picture ? Picture->Source() : nullptr;
    if (!Source || Source->Bytes.empty())
      return;
    const int64_t Width = Picture->Width(), Height = Picture->Height();
    Out += "{\\pict";
    switch (Source->Format) {
    case rppfPng: Out += "\\pngblip"; break;
    case rppfJpeg: Out += "\\jpegblip"; break;
    case rppfDib: Out += "\\dibitmap0"; break;
    case rppfDdb:
      Out += "\\wbitmap0" + Keyword("\\wbmbitspixel", Source->DdbBitsPixel) +
             Keyword("\\wbmplanes", Source->DdbPlanes) +
             Keyword("\\wbmwidthbytes", Source->DdbWidthBytes);
      break;
    case rppfWmf: Out += "\\wmetafile8"; break;
    case rppfEmf: Out += "\\emfblip"; break;
    }
    // Metafiles give their size in hundredths of a millimetre, bitmaps in pixels.
    const bool Metafile = Source->Format == rppfWmf || Source->Format == rppfEmf;
    Out += Keyword("\\picw", Metafile ? Width * 2540 / 96 : Width) +
           Keyword("\\pich", Metafile ? Height * 2540 / 96 : Height) +
           Keyword("\\picwgoal", int64_t{Graphic.GetImageWidth(FSheet)} * 15) +
           Keyword("\\pichgoal", int64_t{Graphic.GetImageHeight(FSheet)} * 15);
    // A device-independent bitmap goes without the file header a file may have had.
    const size_t First =
        Source->Format == rppfDib && Source->Bytes.size() > 14 && Source->Bytes.starts_with("BM")
            ? 14
            : 0;
    static const char Digits[] = "0123456789abcdef";
    for (size_t i = First; i < Source->Bytes.size(); ++i) {
      if ((i - First) % 64 == 0)
        Out += "\r\n";
      const auto Byte = static_cast<uint8_t>(Source->Bytes[i]);
      Out += Digits[Byte >> 4];
      Out += Digits[Byte & 15];
    }
    Out += "}";
  }

  // ---- tables

  // A table in a document: a row of cells a row. One inside a cell gives its cells'
  // paragraphs, a row a paragraph with tabs between its cells.
  void WriteWholeTable(std::string& Out, TRangeState& State, TRPTableItemInfo& Table,
                       bool PageBreak) {
    if (State.InTable) {
      for (int r = 0; r < Table.RowCount(); ++r)
        for (int c = 0; c < Table.ColCount(); ++c)
          if (TRPTableCellData* Cell = Table.Cells(r, c))
            if (const std::optional<TRPItemRange> Range = RP_AllItems(*Cell)) {
              if (State.WrittenAny)
                Out += c == 0 ? "\\par " : "\\tab ";
              Out += WriteRange(*Cell, *Range, true);
              State.WrittenAny = true;
            }
      State.LastPara = State.LastStyle = -1;
      return;
    }
    // A paragraph end before the table; between two tables an empty paragraph, as RTF has
    // no other way to keep them apart (readers join the rows of tables that nothing
    // separates).
    if (State.WrittenAny)
      Out += State.AfterTable ? "\r\n\\pard\\par " : "\r\n\\par ";
    if (PageBreak)
      Out += "\\page ";
    WriteTable(Out, Table, [](const TRPTableCellData&) { return true; });
    State.WrittenAny = State.AfterTable = true;
    State.LastPara = State.LastStyle = -1;
  }

  // The rows that hold cells Take chooses, with those cells (and the places merged cells
  // cover).
  template <typename TTake> void WriteTable(std::string& Out, TRPTableItemInfo& Table, TTake Take) {
    const TRPTableItemFormattingInfo& Fmt = Table.Fmt;
    const bool Formatted = static_cast<int>(Fmt.ColStarts.size()) == Table.ColCount() &&
                           static_cast<int>(Fmt.ColWidths.size()) == Table.ColCount();
    const int32_t Gap = FSheet.GetAsTwips(Table.CellHPadding);
    for (int r = 0; r < Table.RowCount(); ++r) {
      std::string Definition = "\r\n\\trowd" + Keyword("\\trgaph", Gap) + "\\trleft0" +
                               Keyword("\\richpanetbwtw", HTMLLengthTwips(Table.BestWidth));
      std::string Cells;
      int Taken = 0;
      for (int c = 0; c < Table.ColCount(); ++c) {
        int MainRow = -1, MainCol = -1;
        TRPTableCellData* Cell = Table.GetMainCell(r, c, MainRow, MainCol);
        if (!Cell || !Take(*Cell))
          continue;
        ++Taken;
        if (MainRow != r)
          Definition += "\\clvmrg";
        else if (Table.RowSpanAt(*Cell, r) > 1)
          Definition += "\\clvmgf";
        if (MainCol != c)
          Definition += "\\clmrg";
        else if (Table.ColSpanAt(*Cell, c) > 1)
          Definition += "\\clmgf";
        if (Cell->Color != clNone)
          Definition += Keyword("\\clcbpat", ColorIndex(Cell->Color, true));
        if (Cell->VAlign == rpcMiddle)
          Definition += "\\clvertalc";
        else if (Cell->VAlign == rpcBottom)
          Definition += "\\clvertalb";
        // The engine's own keywords: the widths and heights the cells asked for.
        Definition += Keyword("\\richpanecbwtw", HTMLLengthTwips(Cell->BestWidth));
        if (Cell->BestHeight > 0)
          Definition += Keyword("\\richpanecbhtw", FSheet.GetAsTwips(Cell->BestHeight));
        if (Table.CellBorderWidth > 0 && Table.CellBorderColor != clNone)
          for (const char* Side : {"t", "l", "b", "r"})
            Definition += std::string("\\clbrdr") + Side + "\\brdrs" +
                          Keyword("\\brdrw", FSheet.GetAsTwips(Table.CellBorderWidth)) +
                          Keyword("\\brdrcf", ColorIndex(Table.CellBorderColor));
        // Right edges as laid out (15 twips a pixel), or an inch a column.
        const int64_t Right = Formatted ? (int64_t{Fmt.ColStarts[static_cast<size_t>(c)]} +
                                           Fmt.ColWidths[static_cast<size_t>(c)]) *
                                                  15 +
                                              2 * Gap
                                        : int64_t{c + 1} * 1440;
        Definition += Keyword("\\cellx", Right);
        std::string Content;
        if (MainRow == r && MainCol == c)
          if (const std::optional<TRPItemRange> Range = RP_AllItems(*Cell))
            Content = WriteRange(*Cell, *Range, true);
        // An empty cell states its own paragraph, not the last cell's.
        Cells += Content.empty() ? std::string("\\pard\\intbl ") : Content;
        Cells += "\\cell ";
      }
      if (Taken > 0) {
        Out += Definition;
        Out += "\r\n";
        Out += Cells;
        Out += "\\row";
      }
    }
    Out += "\r\n";
  }

  // A length that is positive in style units and a negated percentage otherwise, with its
  // length in twips.
  int64_t HTMLLengthTwips(TRPHTMLLength Length) const {
    return Length > 0 ? int64_t{FSheet.GetAsTwips(Length)} : int64_t{Length};
  }

  // ---- lists

  // The paragraph keywords of a list item: its list and level, and the level's indents.
  std::string ListFormat(const TRPMarkerItemInfo& Marker) {
    if (Marker.ListNo < 0 || Marker.ListNo >= FSheet.ListStyles.Count())
      return {};
    if (std::find(FLists.begin(), FLists.end(), Marker.ListNo) == FLists.end())
      FLists.push_back(Marker.ListNo);
    std::string Out = Keyword("\\ls", Marker.ListNo + 1) + Keyword("\\ilvl", Marker.Level);
    if (const TRPListLevel* Level = Marker.GetLevelInfo(FSheet))
      Out += LevelIndents(*Level);
    return Out;
  }

  // Where a level's marker and text go: the hanging first line, the left indent, and the
  // tab to the text.
  std::string LevelIndents(const TRPListLevel& Level) {
    return Keyword("\\fi", FSheet.GetAsTwips(Level.MarkerIndent - Level.LeftIndent)) +
           Keyword("\\li", FSheet.GetAsTwips(Level.LeftIndent)) + "\\jclisttab" +
           Keyword("\\tx", FSheet.GetAsTwips(Level.LeftIndent + Level.FirstIndent));
  }

  // A level's pattern ("%0:s." and the like) as \leveltext and \levelnumbers.
  std::string LevelTexts(const TRPListLevel& Level) {
    // A Unicode bullet is its text; other levels' texts are patterns, whose placeholders
    // a bullet shows as nothing.
    const bool Patterned = Level.ListType != rplstUnicodeBullet;
    const std::u16string& Pattern = Patterned ? Level.FormatString : Level.FormatStringW;
    std::string Text, Numbers;
    int Length = 0;
    const auto Digit = [](char16_t Ch) { return Ch >= u'0' && Ch <= u'9'; };
    int Next = 0;
    for (size_t i = 0; i < Pattern.size(); ++i) {
      // A placeholder ("%s" the next level's number, "%N:s" level N's, with a width or a
      // precision perhaps) becomes the level's number; "%%" is a percent sign.
      if (Patterned && Pattern[i] == u'%' && i + 1 < Pattern.size()) {
        size_t j = i + 1;
        int Index = -1;
        if (Digit(Pattern[j])) {
          size_t k = j;
          int Value = 0;
          while (k < Pattern.size() && Digit(Pattern[k]) && Value < 100)
            Value = Value * 10 + (Pattern[k++] - u'0');
          if (k < Pattern.size() && Pattern[k] == u':') {
            Index = Value;
            j = k + 1;
          }
        }
        while (j < Pattern.size() &&
               (Pattern[j] == u'-' || Pattern[j] == u'.' || Digit(Pattern[j])))
          ++j;
        if (j < Pattern.size() && (Pattern[j] == u's' || Pattern[j] == u'S')) {
          const int Placeholder = Index >= 0 ? Index : Next;
          Next = Placeholder + 1;
          Text +=
              RP_RTFEscapeAnsi(std::string(1, static_cast<char>(std::min(Placeholder, 8))), 1252);
          ++Length;
          Numbers += RP_RTFEscapeAnsi(std::string(1, static_cast<char>(Length)), 1252);
          i = j;
          continue;
        }
        if (Pattern[i + 1] == u'%')
          ++i;
      }
      // A character of a level's text is one, so others than ASCII go as "\\uN ?", not as
      // the keywords some readers take for no character there.
      Text += Pattern[i] < 0x20
                  ? RP_RTFEscapeAnsi(std::string(1, static_cast<char>(Pattern[i])), 1252)
                  : RP_RTFEscapeName(Pattern.substr(i, 1));
      ++Length;
    }
    return "{\\leveltext" + RP_RTFEscapeAnsi(std::string(1, static_cast<char>(Length)), 1252) +
           Text + ";}{\\levelnumbers" + Numbers + ";}";
  }

  std::string ListTables() {
    if (FLists.empty())
      return {};
    std::string Out = "{\\*\\listtable";
    for (const int ListNo : FLists) {
      const TRPListInfo& List = FSheet.ListStyles.Items(ListNo);
      Out += Keyword("{\\list\\listtemplateid", ListNo + 1);
      for (int l = 0; l < List.Levels.Count(); ++l) {
        const TRPListLevel& Level = List.Levels[l];
        static const int Formats[] = {23, 23, 23, 0, 4, 3, 2, 1, 0, 23};
        const int Format = Formats[std::min<size_t>(Level.ListType, std::size(Formats) - 1)];
        Out += Keyword("{\\listlevel\\levelnfc", Format) + Keyword("\\levelnfcn", Format) +
               Keyword("\\leveljc", Level.MarkerAlignment == rpmaRight    ? 2
                                    : Level.MarkerAlignment == rpmaCenter ? 1
                                                                          : 0) +
               Keyword("\\levelstartat", Level.StartFrom) + LevelTexts(Level);
        if (Level.HasFont() && Level.UsesFont())
          Out += Keyword("\\f", FontIndex(Level.GetFont().Name, Level.GetFont().Charset));
        Out += LevelIndents(Level) + "}";
      }
      Out += Keyword("\\listid", ListNo + 1) + "}";
    }
    Out += "}{\\*\\listoverridetable";
    for (const int ListNo : FLists)
      Out += Keyword("{\\listoverride\\listid", ListNo + 1) + "\\listoverridecount0" +
             Keyword("\\ls", ListNo + 1) + "}";
    return Out + "}\r\n";
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
      const int64_t Shift = int64_t{Style.VShift < 0 ? -Style.VShift : Style.VShift};
      Out += Keyword(Style.VShift > 0 ? "\\up" : "\\dn", (Shift * Style.SizeDouble + 50) / 100);
    }
    if (Style.CharScale != 100)
      Out += Keyword("\\charscalex", Style.CharScale);
    if (Style.CharSpacing != 0)
      Out += Keyword("\\expndtw", FSheet.GetAsTwips(Style.CharSpacing));
    if (Style.StyleEx.Contains(rpfsAllCaps))
      Out += "\\caps";
    if (Style.BiDiMode == rpbdLeftToRight)
      Out += "\\ltrch";
    else if (Style.BiDiMode == rpbdRightToLeft)
      Out += "\\rtlch";
    if (const int Language = CharsetLanguage(Style.Charset); Language != 0)
      Out += Keyword("\\lang", Language);
    if (Style.Options.Contains(rpteoHidden))
      Out += "\\v";
    Out += Keyword("\\fs", Style.SizeDouble);
    if (Style.BackColor != clNone)
      Out += Keyword("\\chcbpat", ColorIndex(Style.BackColor, true));
    if (Style.Color != clWindowText && Style.Color != clNone)
      Out += Keyword("\\cf", ColorIndex(Style.Color));
    return Out;
  }

  std::string ParaFormat(int ParaNo) {
    const TParaInfo& Para = FSheet.ParaStyles.Items(ParaNo);
    std::string Out;
    if (Para.BiDiMode == rpbdLeftToRight)
      Out += "\\ltrpar";
    else if (Para.BiDiMode == rpbdRightToLeft)
      Out += "\\rtlpar";
    switch (Para.LineSpacingType) {
    case rplsPercent:
      if (Para.LineSpacing != 100)
        Out += Keyword("\\sl", int64_t{Para.LineSpacing} * 240 / 100) + "\\slmult1";
      break;
    case rplsLineHeightAtLeast:
      Out += Keyword("\\sl", FSheet.GetAsTwips(Para.LineSpacing)) + "\\slmult0";
      break;
    case rplsLineHeightExact:
      Out += Keyword("\\sl", -int64_t{FSheet.GetAsTwips(Para.LineSpacing)}) + "\\slmult0";
      break;
    case rplsSpaceBetween: break;
    }
    if (Para.Options.Contains(rppaoKeepLinesTogether))
      Out += "\\keep";
    if (Para.Options.Contains(rppaoKeepWithNext))
      Out += "\\keepn";
    Out += Keyword("\\fi", FSheet.GetAsTwips(Para.FirstIndent));
    Out += Keyword("\\li", FSheet.GetAsTwips(Para.LeftIndent));
    for (int t = 0; t < Para.Tabs.Count(); ++t) {
      const TRPTabInfo& Tab = Para.Tabs[t];
      if (Tab.Align == rptaRight)
        Out += "\\tqr";
      else if (Tab.Align == rptaCenter)
        Out += "\\tqc";
      else if (Tab.Align == rptaDecimal)
        Out += "\\tqdec";
      Out += TabLeader(Tab.Leader);
      Out += Keyword("\\tx", FSheet.GetAsTwips(Tab.Position()));
    }
    static const char* const Alignments[] = {"\\ql", "\\qr", "\\qc", "\\qj", "\\qd"};
    Out += Alignments[std::min<size_t>(Para.Alignment, std::size(Alignments) - 1)];
    Out += Keyword("\\ri", FSheet.GetAsTwips(Para.RightIndent));
    if (Para.OutlineLevel >= 1)
      Out += Keyword("\\outlinelevel", Para.OutlineLevel - 1);
    if (Para.Background.Color != clNone)
      Out += Keyword("\\cbpat", ColorIndex(Para.Background.Color, true));
    // The room a border takes above and below came on top of the spacing when it was read.
    TRPStyleLength Before = Para.SpaceBefore(), After = Para.SpaceAfter();
    if (Para.Border.Style != rpbNone) {
      Out += ParaBorder(Para.Border);
      const TRPStyleLength Width = Para.Border.GetTotalWidth();
      if (Para.Border.VisibleBorders.Top)
        Before = std::max(0, Before - Para.Border.BorderOffsets.Top - Width);
      if (Para.Border.VisibleBorders.Bottom)
        After = std::max(0, After - Para.Border.BorderOffsets.Bottom - Width);
    }
    Out += Keyword("\\sb", FSheet.GetAsTwips(Before));
    Out += Keyword("\\sa", FSheet.GetAsTwips(After));
    return Out;
  }

  // Each visible side with its space, kind, colour and width. The thick-and-thin kinds
  // turn round on the right and at the bottom, and their width is that of both lines.
  std::string ParaBorder(const TRPBorder& Border) {
    const TRPBooleanRect& Visible = Border.VisibleBorders;
    const TRPRect& Space = Border.BorderOffsets;
    const struct {
      bool Shown;
      const char* Side;
      TRPStyleLength Space;
      bool Inverted;
    } Sides[] = {{Visible.Left, "\\brdrl", Space.Left, false},
                 {Visible.Top, "\\brdrt", Space.Top, false},
                 {Visible.Right, "\\brdrr", Space.Right, true},
                 {Visible.Bottom, "\\brdrb", Space.Bottom, true}};
    const bool Thick = Border.Style == rpbThickInside || Border.Style == rpbThickOutside;
    std::string Out = "\\brdrbtw";
    for (const auto& Side : Sides) {
      if (!Side.Shown)
        continue;
      Out += Side.Side + Keyword("\\brsp", FSheet.GetAsTwips(Side.Space));
      switch (Border.Style) {
      case rpbDouble: Out += "\\brdrdb"; break;
      case rpbTriple: Out += "\\brdrtriple"; break;
      case rpbThickInside: Out += Side.Inverted ? "\\brdrtnthmg" : "\\brdrthtnmg"; break;
      case rpbThickOutside: Out += Side.Inverted ? "\\brdrthtnmg" : "\\brdrtnthmg"; break;
      default: Out += "\\brdrs"; break;
      }
      Out += Keyword("\\brdrcf", ColorIndex(Border.Color)) +
             Keyword("\\brdrw", int64_t{FSheet.GetAsTwips(Border.Width)} * (Thick ? 2 : 1));
    }
    return Out;
  }

  // The keyword of a tab's leader, none for no leader.
  static const char* TabLeader(const std::string& Leader) {
    if (Leader.empty())
      return "";
    if (Leader == ".")
      return "\\tldot";
    if (Leader == "\xC2\xB7")
      return "\\tlmdot";
    if (Leader == "-")
      return "\\tlhyph";
    if (Leader == "_")
      return "\\tlul";
    if (Leader == "=")
      return "\\tleq";
    return "\\tldot";
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

  // Entry 0 is the automatic colour, the window text's. A shading's colour never is: entry 0
  // there means no shading.
  int ColorIndex(TRPColor Color, bool Shading = false) {
    if (Color == clNone || (Color == clWindowText && !Shading))
      return 0;
    const auto Found = std::find(FColors.begin(), FColors.end(), Color);
    if (Found != FColors.end())
      return static_cast<int>(Found - FColors.begin()) + 1;
    FColors.push_back(Color);
    return static_cast<int>(FColors.size());
  }

  std::string Header() {
    // The list tables name their fonts: they are made before the font table is written.
    const std::string Lists = ListTables();
    if (FFonts.empty())
      FontIndex(FSheet.TextStyles.Items(0).FontName, FSheet.TextStyles.Items(0).Charset);
    // The document's language is that of its first text style's character set.
    const int Language = CharsetLanguage(FSheet.TextStyles.Items(0).Charset);
    std::string Out = "{\\rtf1\\fbidis\\ansi" + Keyword("\\ansicpg", FCodePage) + "\\uc1\\deff0" +
                      Keyword("\\deflang", Language) + Keyword("\\deflangfe", Language) +
                      "\r\n{\\fonttbl";
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
    return Out + Lists;
  }

  // A link's target as the instruction quotes it: a backslash or a quote inside gets a
  // backslash; what follows "#" becomes the place switch.
  static std::u16string HyperlinkTarget(std::string_view Tag) {
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

  const TRPStyle& FSheet;
  const int FCodePage;
  std::vector<std::pair<std::string, uint8_t>> FFonts;
  std::vector<TRPColor> FColors;
  // The list styles the text uses, in the order first met.
  std::vector<int> FLists;
};

} // namespace

std::string RP_SelectionRTF(TCustomRPFormattedData& Doc) {
  return RP_WriteSelection<TRTFWriter>(Doc);
}

std::string RP_DocumentRTF(TCustomRPData& Doc) { return RP_WriteDocument<TRTFWriter>(Doc); }
