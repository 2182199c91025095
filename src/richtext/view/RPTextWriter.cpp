#include "richtext/view/RPTextWriter.h"

#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"
#include "richtext/table/RPTable.h"

namespace {

constexpr int32_t RuleWidth = 80;
constexpr std::u16string_view LineEnd = u"\r\n";

class TTextWriter {
public:
  explicit TTextWriter(std::u16string& Out, TRPTextObserver* Observer = nullptr)
      : FOut(Out), FObserver(Observer) {}

  // Items FirstItem..LastItem of Doc, the first from caret offset FirstOffs, the last up
  // to LastOffs. InCell: paragraphs and rows are joined by spaces.
  void WriteRange(TCustomRPData& Doc, int FirstItem, int FirstOffs, int LastItem, int LastOffs,
                  bool InCell) {
    if (const int Marker = RP_LeadingMarker(Doc, FirstItem); Marker >= 0)
      FOut += Doc.GetItem(Marker)->AsText(0, Doc);
    for (int i = FirstItem; i <= LastItem; ++i) {
      TCustomRPItemInfo& Item = *Doc.GetItem(i);
      if (Doc.IsHiddenItem(i))
        continue;
      if (i > FirstItem && !Item.SameAsPrev())
        FOut += InCell ? std::u16string_view(u" ") : LineEnd;
      const int From = i == FirstItem ? FirstOffs : Doc.GetOffsBeforeItem(i);
      const int To = i == LastItem ? LastOffs : Doc.GetOffsAfterItem(i);
      if (FObserver)
        FObserver->ItemBegins(Doc, i, FOut.size());
      if (Item.IsTextItem()) {
        if (To > From)
          FOut += Doc.GetItemTextW(i).substr(static_cast<size_t>(From - 1),
                                             static_cast<size_t>(To - From));
      } else if (From < To) {
        WriteObject(Doc, Item, InCell);
      }
      if (FObserver)
        FObserver->ItemEnds(FOut.size());
    }
  }

  void WriteDocument(TCustomRPData& Doc, bool InCell) {
    if (const std::optional<TRPItemRange> All = RP_AllItems(Doc))
      WriteRange(Doc, All->FirstItem, All->FirstOffs, All->LastItem, All->LastOffs, InCell);
  }

  // The rows of Table that hold cells Take chooses, with those cells.
  template <typename TTake>
  void WriteTable(const TRPTableItemInfo& Table, bool InCell, TTake Take) {
    bool FirstRow = true;
    for (int r = 0; r < Table.RowCount(); ++r) {
      const size_t RowStart = FOut.size();
      if (!FirstRow)
        FOut += InCell ? std::u16string_view(u" ") : LineEnd;
      int Cells = 0;
      for (int c = 0; c < Table.ColCount(); ++c)
        if (TRPTableCellData* Cell = Table.Cells(r, c); Cell && Take(*Cell)) {
          if (Cells++ > 0)
            FOut += InCell ? u' ' : u'\t';
          TTextWriter(FOut, FObserver).WriteDocument(*Cell, true);
        }
      // A row without such cells gives nothing, not even its line end.
      if (Cells == 0)
        FOut.resize(RowStart);
      else
        FirstRow = false;
    }
  }

  // What is selected inside a table: text in one of its cells, or whole cells.
  void WriteTableSelection(const TRPTableItemInfo& Table) {
    if (Table.CellsSelected())
      WriteTable(Table, false, [](const TRPTableCellData& Cell) { return Cell.SelectedWhole; });
    else if (TRPTableCellData* Cell = Table.SelectingCell())
      FOut += RP_SelectionText(*Cell);
  }

private:
  void WriteObject(TCustomRPData& Doc, TCustomRPItemInfo& Item, bool InCell) {
    if (const auto* Table = dynamic_cast<const TRPTableItemInfo*>(&Item)) {
      WriteTable(*Table, InCell, [](const TRPTableCellData&) { return true; });
      return;
    }
    if (Item.StyleNo == rpsTab || Item.StyleNo == rpsListMarker)
      FOut += Item.AsText(0, Doc);
    else if (dynamic_cast<const TRPBreakItemInfo*>(&Item))
      FOut += Item.AsText(RuleWidth, Doc);
  }

  std::u16string& FOut;
  TRPTextObserver* FObserver;
};

} // namespace

std::u16string RP_SelectionText(TCustomRPFormattedData& Doc) {
  std::u16string Out;
  TTextWriter Writer(Out);
  if (const auto* Table = dynamic_cast<const TRPTableItemInfo*>(Doc.PartialSelectedItem())) {
    Writer.WriteTableSelection(*Table);
    return Out;
  }
  if (const std::optional<TRPItemRange> Range = RP_SelectedItems(Doc))
    Writer.WriteRange(Doc, Range->FirstItem, Range->FirstOffs, Range->LastItem, Range->LastOffs,
                      false);
  return Out;
}

std::u16string RP_RangeText(TCustomRPData& Doc, const TRPItemRange& Range) {
  std::u16string Out;
  TTextWriter(Out).WriteRange(Doc, Range.FirstItem, Range.FirstOffs, Range.LastItem, Range.LastOffs,
                              false);
  return Out;
}

std::u16string RP_DocumentText(TCustomRPData& Doc, TRPTextObserver* Observer) {
  std::u16string Out;
  TTextWriter(Out, Observer).WriteDocument(Doc, false);
  return Out;
}

std::optional<TRPItemRange> RP_SelectedItems(TCustomRPFormattedData& Doc) {
  if (!Doc.SelectionExists(false))
    return std::nullopt;
  TRPDrawItemPos Start, End;
  Doc.GetSelectionBounds(Start, End, true);
  TRPItemRange Range;
  int LastItem = -1;
  Doc.DrawItem2Item(Start.No, Start.Offs, Range.FirstItem, Range.FirstOffs);
  Doc.DrawItem2Item(End.No, End.Offs, LastItem, Range.LastOffs);
  Range.LastItem = LastItem;
  if (Range.FirstItem < 0 || LastItem < 0)
    return std::nullopt;
  return Range;
}

std::optional<TRPItemRange> RP_AllItems(TCustomRPData& Doc) {
  const int Count = Doc.GetItemCount();
  if (Count == 0)
    return std::nullopt;
  return TRPItemRange{0, Doc.GetOffsBeforeItem(0), Count - 1, Doc.GetOffsAfterItem(Count - 1)};
}

int RP_LeadingMarker(TCustomRPData& Doc, int ItemNo) {
  int ParaStart = ItemNo;
  while (ParaStart > 0 && !Doc.IsParaStart(ParaStart))
    --ParaStart;
  return ParaStart != ItemNo && Doc.GetItem(ParaStart)->StyleNo == rpsListMarker ? ParaStart : -1;
}
