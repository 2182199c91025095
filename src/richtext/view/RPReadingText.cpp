#include "richtext/view/RPReadingText.h"

#include <algorithm>

#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/table/RPTable.h"
#include "richtext/view/RPTextWriter.h"
#include "richtext/view/RichPane.h"

// Records every item the text writer writes as a piece, inside the table being written.
class TRPReadingText::TRecorder : public TRPTextObserver {
public:
  explicit TRecorder(TRPReadingText& Reading) : FReading(Reading) {}

  void ItemBegins(TCustomRPData& Doc, int ItemNo, size_t Offset) override {
    auto* Formatted = dynamic_cast<TCustomRPFormattedData*>(&Doc);
    const int Index = static_cast<int>(FReading.FPieces.size());
    std::vector<int>& Pieces = FReading.FPieceOf[&Doc];
    Pieces.resize(static_cast<size_t>(Doc.GetItemCount()), -1);
    Pieces[static_cast<size_t>(ItemNo)] = Index;
    const int Start = static_cast<int>(Offset);
    FReading.FPieces.push_back(
        {Formatted, ItemNo, Start, Start, FOpen.empty() ? -1 : FOpen.back()});
    FOpen.push_back(Index);
  }
  void ItemEnds(size_t Offset) override {
    FReading.FPieces[static_cast<size_t>(FOpen.back())].End = static_cast<int>(Offset);
    FOpen.pop_back();
  }

private:
  TRPReadingText& FReading;
  std::vector<int> FOpen;
};

TRPReadingText::TRPReadingText(TCustomRPFormattedData& Doc) : FDoc(Doc) {
  TRecorder Recorder(*this);
  FText = RP_DocumentText(Doc, &Recorder);
  FindSpans();
}

// A heading is a paragraph of an outline level, a link the items of one target in a row.
void TRPReadingText::FindSpans() {
  std::vector<TSpan> Headings, Links;
  const TPiece* LastHeading = nullptr;
  const TPiece* LastLink = nullptr;
  for (const TPiece& Piece : FPieces) {
    TCustomRPFormattedData* Doc = Piece.Doc;
    if (!Doc || !Doc->GetRPStyle())
      continue;
    const TCustomRPItemInfo& Item = *Doc->GetItem(Piece.ItemNo);
    if (dynamic_cast<const TRPTableItemInfo*>(&Item))
      continue;
    const bool Continues = !Doc->IsParaStart(Piece.ItemNo);
    const int Level = Doc->GetRPStyle()->ParaStyles[Item.ParaNo].OutlineLevel;
    if (Level >= 1 && Level <= 9) {
      if (Continues && LastHeading && LastHeading->Doc == Doc)
        Headings.back().End = Piece.End;
      else
        Headings.push_back({Piece.Start, Piece.End, Level, {}});
      LastHeading = &Piece;
    } else {
      LastHeading = nullptr;
    }
    if (!Item.Tag().empty()) {
      if (Continues && LastLink && LastLink->Doc == Doc && LastLink->ItemNo + 1 == Piece.ItemNo &&
          Links.back().Target == Item.Tag())
        Links.back().End = Piece.End;
      else
        Links.push_back({Piece.Start, Piece.End, 0, std::string(Item.Tag())});
      LastLink = &Piece;
    } else {
      LastLink = nullptr;
    }
  }
  // A heading before the links inside it.
  FSpans.resize(Headings.size() + Links.size());
  std::merge(Headings.begin(), Headings.end(), Links.begin(), Links.end(), FSpans.begin(),
             [](const TSpan& A, const TSpan& B) { return A.Start < B.Start; });
}

std::optional<int> TRPReadingText::OffsetOf(const TCustomRPData& Doc, int ItemNo,
                                            int ItemOffs) const {
  const auto Found = FPieceOf.find(&Doc);
  if (Found == FPieceOf.end() || ItemNo < 0 || ItemNo >= static_cast<int>(Found->second.size()) ||
      Found->second[ItemNo] < 0)
    return std::nullopt;
  const TPiece& Piece = FPieces[static_cast<size_t>(Found->second[ItemNo])];
  const int Before = Doc.GetOffsBeforeItem(ItemNo);
  if (!Doc.GetItem(ItemNo)->IsTextItem())
    return ItemOffs <= Before ? Piece.Start : Piece.End;
  return Piece.Start + std::clamp(ItemOffs - Before, 0, Piece.End - Piece.Start);
}

std::optional<std::pair<int, int>> TRPReadingText::Selection() const { return SelectionIn(FDoc); }

std::optional<std::pair<int, int>> TRPReadingText::SelectionIn(TCustomRPFormattedData& Doc) const {
  const auto* Table = dynamic_cast<const TRPTableItemInfo*>(Doc.PartialSelectedItem());
  if (Table && !Table->CellsSelected()) {
    TRPTableCellData* Cell = Table->SelectingCell();
    return Cell ? SelectionIn(*Cell) : std::nullopt;
  }
  if (Table) {
    // From the first cell selected whole to the end of the last.
    std::optional<std::pair<int, int>> Range;
    Table->ForEachCell([&](const TRPTableCellData& Cell, int, int) {
      const auto Pieces = FPieceOf.find(&Cell);
      if (!Cell.SelectedWhole || Pieces == FPieceOf.end())
        return;
      for (const int Index : Pieces->second) {
        if (Index < 0)
          continue;
        const TPiece& Piece = FPieces[static_cast<size_t>(Index)];
        Range = Range ? std::pair(std::min(Range->first, Piece.Start),
                                  std::max(Range->second, Piece.End))
                      : std::pair(Piece.Start, Piece.End);
      }
    });
    return Range;
  }
  const std::optional<TRPItemRange> Items = RP_SelectedItems(Doc);
  if (!Items)
    return std::nullopt;
  const std::optional<int> Start = OffsetOf(Doc, Items->FirstItem, Items->FirstOffs);
  const std::optional<int> End = OffsetOf(Doc, Items->LastItem, Items->LastOffs);
  if (!Start || !End)
    return std::nullopt;
  return std::pair(*Start, *End);
}

int TRPReadingText::PieceAt(int Offset) const {
  const auto After = std::upper_bound(FPieces.begin(), FPieces.end(), Offset,
                                      [](int At, const TPiece& Piece) { return At < Piece.Start; });
  // The last piece to begin at or before Offset is the innermost, unless Offset lies after
  // its end, in the table around it (between two cells).
  int Index = static_cast<int>(After - FPieces.begin()) - 1;
  while (Index >= 0 && FPieces[static_cast<size_t>(Index)].End <= Offset)
    Index = FPieces[static_cast<size_t>(Index)].Parent;
  return Index;
}

TPoint TRPReadingText::Origin(int Index) const {
  const TPiece& Piece = FPieces[static_cast<size_t>(Index)];
  if (Piece.Parent < 0)
    return {};
  const TPiece& Holder = FPieces[static_cast<size_t>(Piece.Parent)];
  const TPoint Outer = Origin(Piece.Parent);
  const auto* Table = dynamic_cast<const TRPTableItemInfo*>(Holder.Doc->GetItem(Holder.ItemNo));
  const int DrawItemNo = Holder.Doc->FindDrawItemByItem(Holder.ItemNo);
  const std::optional<TPoint> InTable =
      Table && Piece.Doc ? Table->CellDocumentOrigin(*Piece.Doc) : std::nullopt;
  if (DrawItemNo < 0 || !InTable)
    return Outer;
  const TRPDrawLineInfo& D = Holder.Doc->DrawItems[DrawItemNo];
  return {Outer.X + D.Left + InTable->X, Outer.Y + D.Top + InTable->Y};
}

TRect TRPReadingText::CharBox(int Offset) const {
  const int Index = PieceAt(Offset);
  if (Index < 0 || !FPieces[static_cast<size_t>(Index)].Doc)
    return {};
  // What joins a table's cells and their paragraphs is not on screen.
  const TPiece& Piece = FPieces[static_cast<size_t>(Index)];
  if (dynamic_cast<const TRPTableItemInfo*>(Piece.Doc->GetItem(Piece.ItemNo)))
    return {};
  TRect Box = Piece.Doc->CharBox(Piece.ItemNo,
                                 Piece.Doc->GetOffsBeforeItem(Piece.ItemNo) + Offset - Piece.Start);
  if (Box == TRect{})
    return Box;
  const TPoint At = Origin(Index);
  return {Box.Left + At.X, Box.Top + At.Y, Box.Right + At.X, Box.Bottom + At.Y};
}

std::optional<int> TRPReadingText::OffsetAt(int32_t X, int32_t Y) const {
  const TRPDrawItemAt At = RP_DrawItemAt(FDoc, X, Y);
  if (!At.Doc)
    return std::nullopt;
  const TRPDrawLineInfo& D = At.Doc->DrawItems[At.DrawItemNo];
  if (!At.Doc->GetItem(D.ItemNo)->IsTextItem())
    return OffsetOf(*At.Doc, D.ItemNo, At.Doc->GetOffsBeforeItem(D.ItemNo));
  const int32_t Char = At.Doc->CharAtX(At.DrawItemNo, At.X);
  return Char < 0 ? std::nullopt : OffsetOf(*At.Doc, D.ItemNo, D.Offs + Char);
}
