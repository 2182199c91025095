#include "richtext/view/RPRPFWriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
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
#include "richtext/view/RPTextWriter.h"

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Text on one line and in one field: "%", CR, LF and ";" as "%" and two hex digits.
std::string Escaped(std::string_view Text) {
  static const char Digits[] = "0123456789ABCDEF";
  std::string Out;
  Out.reserve(Text.size());
  for (const char C : Text) {
    if (C == '%' || C == '\r' || C == '\n' || C == ';') {
      const auto Byte = static_cast<uint8_t>(C);
      Out += '%';
      Out += Digits[Byte >> 4];
      Out += Digits[Byte & 15];
    } else {
      Out += C;
    }
  }
  return Out;
}

std::string Escaped(std::u16string_view Text) { return Escaped(RP_UnicodeToAnsi(Text, CP_UTF8)); }

// A line of Name=value fields.
class TFields {
public:
  TFields& operator()(std::string_view Name, int64_t Value) {
    return Field(Name, std::to_string(Value));
  }
  TFields& operator()(std::string_view Name, std::string_view Text) {
    return Field(Name, Escaped(Text));
  }
  TFields& operator()(std::string_view Name, std::u16string_view Text) {
    return Field(Name, Escaped(Text));
  }
  const std::string& Line() const { return FLine; }

private:
  TFields& Field(std::string_view Name, const std::string& Value) {
    if (!FLine.empty())
      FLine += ';';
    FLine += Name;
    FLine += '=';
    FLine += Value;
    return *this;
  }
  std::string FLine;
};

class TRPFWriter {
public:
  explicit TRPFWriter(const TRPStyle& Sheet) : FSheet(Sheet) {}

  std::string Document(TCustomRPData& Doc, const TRPItemRange& Range) {
    Header();
    Line("items");
    WriteRange(Doc, Range);
    Line("end");
    return std::move(FOut);
  }

  // The cells of Table that Take chooses, as a table of their own.
  template <typename TTake> std::string CellsDocument(TRPTableItemInfo& Table, TTake Take) {
    Header();
    Line("items");
    WriteTable(Table, 'P', Take);
    Line("end");
    return std::move(FOut);
  }

private:
  void Line(std::string_view Text) {
    FOut += Text;
    FOut += LineEnd;
  }

  // ---- styles

  void Header() {
    Line("-8 1 3 1");
    Line("units " + std::to_string(FSheet.Units));
    Line("textstyles " + std::to_string(FSheet.TextStyles.Count()));
    for (int i = 0; i < FSheet.TextStyles.Count(); ++i)
      Line(TextStyle(FSheet.TextStyles.Items(i)).Line());
    Line("parastyles " + std::to_string(FSheet.ParaStyles.Count()));
    for (int i = 0; i < FSheet.ParaStyles.Count(); ++i)
      Line(ParaStyle(FSheet.ParaStyles.Items(i)).Line());
    Line("liststyles " + std::to_string(FSheet.ListStyles.Count()));
    for (int i = 0; i < FSheet.ListStyles.Count(); ++i) {
      const TRPListInfo& List = FSheet.ListStyles.Items(i);
      Line("list " + std::to_string(List.Levels.Count()));
      for (int l = 0; l < List.Levels.Count(); ++l)
        Line(ListLevel(List.Levels[l]).Line());
    }
  }

  static TFields TextStyle(const TFontInfo& Style) {
    TFields Fields;
    Fields("Name", Style.StyleName)("FontName", Style.FontName)("SizeDouble", Style.SizeDouble)(
        "Charset", Style.Charset)("Style", static_cast<int64_t>(Style.Style.Bits()))(
        "StyleEx", static_cast<int64_t>(Style.StyleEx.Bits()))("Color", Style.Color)(
        "BackColor", Style.BackColor)("HoverColor", Style.HoverColor)("HoverBackColor",
                                                                      Style.HoverBackColor)(
        "UnderlineType", Style.UnderlineType)("UnderlineColor", Style.UnderlineColor)(
        "VShift", Style.VShift)("CharScale", Style.CharScale)("CharSpacing", Style.CharSpacing)(
        "SubSuperScript", Style.SubSuperScriptType)("BiDiMode", Style.BiDiMode)(
        "Options", static_cast<int64_t>(Style.Options.Bits()))(
        "Protection", static_cast<int64_t>(Style.Protection.Bits()))("Unicode", Style.Unicode)(
        "Jump", Style.Jump);
    return Fields;
  }

  static TFields ParaStyle(const TParaInfo& Para) {
    TFields Fields;
    const TRPRect& Offsets = Para.Border.BorderOffsets;
    const TRPBooleanRect& Visible = Para.Border.VisibleBorders;
    Fields("Name", Para.StyleName)("FirstIndent", Para.FirstIndent)("LeftIndent", Para.LeftIndent)(
        "RightIndent", Para.RightIndent)("SpaceBefore", Para.SpaceBefore())(
        "SpaceAfter", Para.SpaceAfter())("Alignment", Para.Alignment)("LastLineAlignment",
                                                                      Para.LastLineAlignment)(
        "LineSpacing", Para.LineSpacing)("LineSpacingType", Para.LineSpacingType)(
        "Options", static_cast<int64_t>(Para.Options.Bits()))("BiDiMode", Para.BiDiMode)(
        "OutlineLevel", Para.OutlineLevel)("BackColor", Para.Background.Color)(
        "BorderStyle", Para.Border.Style)("BorderColor", Para.Border.Color)(
        "BorderWidth", Para.Border.Width)("BorderInternalWidth", Para.Border.InternalWidth)(
        "BorderVisible", int64_t{Visible.Left} | int64_t{Visible.Top} << 1 |
                             int64_t{Visible.Right} << 2 | int64_t{Visible.Bottom} << 3)(
        "BorderOffsets", std::to_string(Offsets.Left) + ' ' + std::to_string(Offsets.Top) + ' ' +
                             std::to_string(Offsets.Right) + ' ' + std::to_string(Offsets.Bottom));
    std::string Tabs;
    for (int t = 0; t < Para.Tabs.Count(); ++t) {
      const TRPTabInfo& Tab = Para.Tabs[t];
      if (t > 0)
        Tabs += ' ';
      // The leader may hold the separators of this field.
      std::string Leader;
      for (const char C : Escaped(Tab.Leader))
        Leader += C == ' ' ? std::string("%20") : C == ':' ? std::string("%3A") : std::string(1, C);
      Tabs += std::to_string(Tab.Position()) + ':' + std::to_string(Tab.Align) + ':' + Leader;
    }
    Fields("Tabs", Tabs);
    return Fields;
  }

  static TFields ListLevel(const TRPListLevel& Level) {
    TFields Fields;
    Fields("ListType", Level.ListType)("FormatString", Level.FormatString)(
        "FormatStringW", Level.FormatStringW)("LeftIndent", Level.LeftIndent)("FirstIndent",
                                                                              Level.FirstIndent)(
        "MarkerIndent", Level.MarkerIndent)("MarkerAlignment", Level.MarkerAlignment)(
        "StartFrom", Level.StartFrom)("Options", static_cast<int64_t>(Level.Options.Bits()));
    if (Level.HasFont()) {
      const TRPMarkerFont& Font = Level.GetFont();
      Fields("FontName", Font.Name)("FontSize", Font.Size())("FontCharset", Font.Charset)(
          "FontStyle", static_cast<int64_t>(Font.Style.Bits()))("FontColor", Font.Color);
    }
    return Fields;
  }

  // ---- items

  void WriteRange(TCustomRPData& Doc, const TRPItemRange& Range) {
    // A selection inside a list item keeps the item's marker.
    const int Marker = RP_LeadingMarker(Doc, Range.FirstItem);
    if (Marker >= 0)
      WriteItem(Doc, Marker, Doc.GetOffsBeforeItem(Marker), Doc.GetOffsAfterItem(Marker), true);
    for (int i = Range.FirstItem; i <= Range.LastItem; ++i) {
      const int From = i == Range.FirstItem ? Range.FirstOffs : Doc.GetOffsBeforeItem(i);
      const int To = i == Range.LastItem ? Range.LastOffs : Doc.GetOffsAfterItem(i);
      WriteItem(Doc, i, From, To, i == Range.FirstItem && Marker < 0);
    }
    FlushText();
    // A checkpoint at the very end of the document, when the range reaches it.
    if (Range.LastItem == Doc.GetItemCount() - 1 &&
        Range.LastOffs >= Doc.GetOffsAfterItem(Range.LastItem) && Doc.NotAddedCP)
      Line("checkpoint " + Escaped(Doc.NotAddedCP->Name));
  }

  static char Flag(const TCustomRPItemInfo& Item, bool First) {
    if (Item.PageBreakBefore())
      return 'G';
    if (Item.SameAsPrev() && !First)
      return 'S';
    return Item.BR() && !First ? 'B' : 'P';
  }

  void WriteItem(TCustomRPData& Doc, int ItemNo, int From, int To, bool First) {
    TCustomRPItemInfo& Item = *Doc.GetItem(ItemNo);
    const char ItemFlag = Flag(Item, First);
    const std::string Head = ' ' + std::to_string(Item.StyleNo) + ' ' +
                             std::to_string(Doc.GetItemPara(ItemNo)) + ' ' + ItemFlag;
    const bool Marked = !Item.Tag().empty() || Item.Checkpoint();
    const int ParaNo = Doc.GetItemPara(ItemNo);
    // Text of one style and paragraph style after such text goes into the same record.
    const bool Joins = Item.IsTextItem() && !Marked && !FText.Lines.empty() &&
                       FText.StyleNo == Item.StyleNo && FText.ParaNo == ParaNo;
    if (!Joins)
      FlushText();
    if (Item.Checkpoint())
      Line("checkpoint " + Escaped(Item.Checkpoint()->Name));
    if (!Item.Tag().empty())
      Line("tag " + Escaped(Item.Tag()));
    if (Item.IsTextItem()) {
      const std::u16string Text = Doc.GetItemTextW(ItemNo);
      const auto Start = static_cast<size_t>(std::max(From - 1, 0));
      FText.StyleNo = Item.StyleNo;
      FText.ParaNo = ParaNo;
      FText.Lines.push_back(ItemFlag + Escaped(std::u16string_view(Text).substr(
                                           Start, static_cast<size_t>(std::max(To - From, 0)))));
      // What a tag or a checkpoint belongs to is a record of its own.
      if (Marked)
        FlushText();
      return;
    }
    if (auto* Table = dynamic_cast<TRPTableItemInfo*>(&Item)) {
      WriteTable(*Table, ItemFlag, [](const TRPTableCellData&) { return true; });
    } else if (const auto* Rule = dynamic_cast<const TRPBreakItemInfo*>(&Item)) {
      Line("rule" + Head + ' ' + std::to_string(Rule->LineWidth) + ' ' +
           std::to_string(Rule->Style) + ' ' + std::to_string(Rule->Color));
    } else if (const auto* Marker = dynamic_cast<const TRPMarkerItemInfo*>(&Item)) {
      Line("marker" + Head + ' ' + std::to_string(Marker->ListNo) + ' ' +
           std::to_string(Marker->Level) + ' ' + (Marker->Reset ? '1' : '0') + ' ' +
           std::to_string(Marker->StartFrom));
    } else if (Item.StyleNo == rpsTab) {
      Line("tab" + Head);
    } else if (const auto* Graphic = dynamic_cast<const TRPGraphicItemInfo*>(&Item)) {
      WritePicture(*Graphic, Head);
    } else {
      Line("item" + Head);
      Line(Escaped(Item.AsText(0, Doc)));
    }
  }

  void WritePicture(const TRPGraphicItemInfo& Graphic, const std::string& Head) {
    const TRPPicture* Picture = Graphic.Image();
    const TRPPictureSource* Source = Picture ? Picture->Source() : nullptr;
    const std::string_view Bytes = Source ? std::string_view(Source->Bytes) : std::string_view();
    Line("picture" + Head + ' ' + std::to_string(Source ? Source->Format : rppfPng) + ' ' +
         std::to_string(Graphic.ImageWidth) + ' ' + std::to_string(Graphic.ImageHeight) + ' ' +
         std::to_string(Bytes.size()));
    FOut += Bytes;
    FOut += LineEnd;
  }

  template <typename TTake> void WriteTable(TRPTableItemInfo& Table, char ItemFlag, TTake Take) {
    Line(std::string("table ") + std::to_string(rpsTable) + " 0 " + ItemFlag + ' ' +
         std::to_string(Table.RowCount()) + ' ' + std::to_string(Table.ColCount()));
    Line(TFields()("BestWidth", Table.BestWidth)("Color", Table.Color)("HeadingRowCount",
                                                                       Table.HeadingRowCount)(
             "BorderWidth", Table.BorderWidth)("BorderColor", Table.BorderColor)(
             "BorderStyle", Table.BorderStyle)("BorderHSpacing", Table.BorderHSpacing)(
             "BorderVSpacing", Table.BorderVSpacing)("CellBorderWidth", Table.CellBorderWidth)(
             "CellBorderColor", Table.CellBorderColor)("CellBorderStyle", Table.CellBorderStyle)(
             "CellHSpacing", Table.CellHSpacing)("CellVSpacing", Table.CellVSpacing)(
             "CellHPadding", Table.CellHPadding)("CellVPadding", Table.CellVPadding)
             .Line());
    for (int r = 0; r < Table.RowCount(); ++r)
      for (int c = 0; c < Table.ColCount(); ++c) {
        TRPTableCellData* Cell = Table.Cells(r, c);
        if (!Cell || !Take(*Cell))
          continue;
        Line("cell " + std::to_string(r) + ' ' + std::to_string(c));
        Line(TFields()("ColSpan", Cell->ColSpan)("RowSpan", Cell->RowSpan)("Color", Cell->Color)(
                 "BestWidth", Cell->BestWidth)("BestHeight", Cell->BestHeight)("VAlign",
                                                                               Cell->VAlign)
                 .Line());
        if (const std::optional<TRPItemRange> Range = RP_AllItems(*Cell))
          WriteRange(*Cell, *Range);
        Line("end");
      }
    Line("end");
  }

  void FlushText() {
    if (FText.Lines.empty())
      return;
    Line("text " + std::to_string(FText.StyleNo) + ' ' + std::to_string(FText.ParaNo) + ' ' +
         std::to_string(FText.Lines.size()));
    for (const std::string& Text : FText.Lines)
      Line(Text);
    FText.Lines.clear();
  }

  // The text record being gathered: a line per item, its flag first.
  struct TTextRecord {
    int StyleNo = 0;
    int ParaNo = 0;
    std::vector<std::string> Lines;
  };

  const TRPStyle& FSheet;
  std::string FOut;
  TTextRecord FText;
};

} // namespace

std::string RP_SelectionRPF(TCustomRPFormattedData& Doc) {
  return RP_WriteSelection<TRPFWriter>(Doc);
}

std::string RP_DocumentRPF(TCustomRPData& Doc) { return RP_WriteDocument<TRPFWriter>(Doc); }
