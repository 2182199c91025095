#include "richtext/rtf/RPRTFTableBuilder.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPStyle.h"

namespace {

// Two column lines this close (twips) are one.
constexpr int32_t RP_TableGridEps = 1;
// The width a cell gets when the row defines fewer cells than it has.
constexpr int32_t DefaultCellWidthTw = 1440;

// The colours of a border's sides: the left's or else the top's, and the right's or else
// the bottom's.
std::pair<TRPColor, TRPColor> BorderColors(const TRPRTFParaBorder& Border) {
  const auto ColorOf = [&Border](TRPRTFSide A, TRPRTFSide B) {
    for (const TRPRTFSide Side : {A, B})
      if (const TRPRTFBorderSide* S = Border.Side(Side); S && S->FBorderType != rtf_brdr_None)
        return S->FColor;
    return clNone;
  };
  return {ColorOf(rtf_side_Left, rtf_side_Top), ColorOf(rtf_side_Right, rtf_side_Bottom)};
}

// A cell holding more than the empty paragraph every cell starts with.
bool HasContent(const TRPTableCellData& Cell) {
  return Cell.GetItemCount() > 1 ||
         (Cell.GetItemCount() == 1 &&
          !(Cell.GetItem(0)->IsTextItem() && Cell.GetItem(0)->ItemText().empty()));
}

int64_t Mean(int64_t Sum, int64_t Count) {
  return Count > 0 ? static_cast<int64_t>(std::llround(static_cast<double>(Sum) / Count)) : 0;
}

} // namespace

// One table being read.
struct TRPRTFTableBuilder::TTable {
  std::unique_ptr<TRPTableItemInfo> Table;
  // The cells of the row being read, the last one the cell being read now.
  std::vector<std::unique_ptr<TRPTableCellData>> Scratch;
  // Column lines, twips, ascending.
  std::vector<int32_t> Lines;
  bool RowFinished = true;
  bool IsLastRow = false;
  TRPRTFAlignment Alignment = rtf_al_Left;
  bool AlignmentDefined = false;
  bool AlignmentEqual = false;
  int32_t LeftTw = 0;
  // Sums and counts the table's lengths are the means of.
  int64_t CellHPaddingTw = 0, CellVPaddingTw = 0, CellHPaddingCount = 0, CellVPaddingCount = 0;
  int64_t BorderWidthTw = 0, BorderCount = 0, CellBorderWidthTw = 0, CellBorderCount = 0;
  int64_t HSpacingTw = 0;
  bool UseHSpacing = false;
  // Vertical spacing: between rows, and above the first and below the last.
  int64_t VSpacingTw = 0, VBorderSpacing1Tw = 0, VBorderSpacing2Tw = 0;
  bool UseCellVSpacing = false, UseBorderVSpacing = false, UsePrevBottomSpacing = false;
  int32_t BestWidth = 0;
  bool RichPaneSpecial = false;
  bool Word2000 = false;
  bool CellFlatBorder = true;
  // No visible text was read into the table yet.
  bool Hidden = true;

  TRPTableCellData& NewScratchCell() {
    auto Cell = std::make_unique<TRPTableCellData>(*Table);
    Cell->Clear();
    Scratch.push_back(std::move(Cell));
    return *Scratch.back();
  }
};

TRPRTFTableBuilder::TRPRTFTableBuilder(TRPRTFReader& AReader, TCustomRPData& Data,
                                       TSettings Settings, THost Host)
    : Reader(AReader), RPData(Data), RPStyle(*Data.GetRPStyle()), FSettings(Settings),
      FHost(std::move(Host)) {}

TRPRTFTableBuilder::~TRPRTFTableBuilder() = default;

TRPStyleLength TRPRTFTableBuilder::Units(int64_t Twips) const {
  return RPStyle.TwipsToUnits(
      RPClampLengthTw(static_cast<int32_t>(std::clamp<int64_t>(Twips, INT32_MIN, INT32_MAX))));
}

TCustomRPData* TRPRTFTableBuilder::CurrentCell() const {
  return FTables.empty() ? nullptr : FTables.back()->Scratch.back().get();
}

bool TRPRTFTableBuilder::Event(TRPRTFTableEventKind Kind) {
  switch (Kind) {
  case rpf_tbl_TableStart: Start(); return true;
  case rpf_tbl_CellEnd: EndCell(); return true;
  case rpf_tbl_RowEnd: EndRow(); return true;
  case rpf_tbl_TableEnd:
    // A paragraph outside the table between a row's cells does not end it.
    if (!FTables.empty() && !FTables.back()->RowFinished)
      return false;
    End(false);
    return true;
  case rpf_tbl_TableForcedEnd: End(true); return true;
  }
  return true;
}

void TRPRTFTableBuilder::Start() {
  TCustomRPData& Owner = CurrentCell() ? *CurrentCell() : RPData;
  auto T = std::make_unique<TTable>();
  T->Table = TRPTableItemInfo::CreateEx(0, 0, &Owner);
  TRPTableItemInfo& Table = *T->Table;
  Table.Color = clNone;
  Table.BorderStyle = rptbRaisedColor;
  Table.CellBorderStyle = rptbLoweredColor;
  Table.BorderColor = Table.BorderLightColor = clWindowText;
  Table.CellBorderColor = Table.CellBorderLightColor = clWindowText;
  T->NewScratchCell();
  FTables.push_back(std::move(T));
}

void TRPRTFTableBuilder::EndCell() {
  // A cell outside any table: its text was a paragraph already.
  if (FTables.empty())
    return;
  // A cell after the row a file marked as its table's last begins a table of its own.
  if (FTables.back()->IsLastRow && FTables.back()->RowFinished) {
    std::unique_ptr<TRPTableCellData> Read = std::move(FTables.back()->Scratch.back());
    FTables.back()->Scratch.back() = nullptr;
    FTables.back()->Scratch.pop_back();
    End(false);
    Start();
    FTables.back()->Scratch.back()->AppendFrom(*Read);
  }
  TTable& T = *FTables.back();
  T.RowFinished = false;
  T.Hidden = T.Hidden && Reader.RTFState().Props.CharProps.FHidden;
  TRPTableCellData& Cell = *T.Scratch.back();
  if (Cell.GetItemCount() == 0)
    Cell.AddNLR({}, 0, 0);
  T.NewScratchCell();
}

void TRPRTFTableBuilder::EndRow() {
  if (FTables.empty())
    return;
  TTable& T = *FTables.back();
  const TRPRTFRowProperties* Row = Reader.RowProps();
  AssignRowProperties(T, Row ? *Row : TRPRTFRowProperties());
  T.RowFinished = true;
  T.Hidden = T.Hidden && Reader.RTFState().Props.CharProps.FHidden;
  T.IsLastRow = Row && Row->FLastRow;
  T.Scratch.clear();
  T.NewScratchCell();
}

int TRPRTFTableBuilder::ColumnLine(TTable& T, int32_t Tw) {
  const auto It = std::lower_bound(T.Lines.begin(), T.Lines.end(), Tw - RP_TableGridEps);
  if (It != T.Lines.end() && *It <= Tw + RP_TableGridEps)
    return static_cast<int>(It - T.Lines.begin());
  // A new line: a new column, which the cells of earlier rows across it span.
  const int Line = static_cast<int>(It - T.Lines.begin());
  T.Lines.insert(It, Tw);
  TRPTableItemInfo& Table = *T.Table;
  if (T.Lines.size() < 2)
    return Line;
  // A line inside the table splits column Line - 1, whose cells then span the new column
  // Line too; a line before or after all others adds a column of borderless cells.
  const bool Splits = Line > 0 && Line < static_cast<int>(T.Lines.size()) - 1;
  const int Col = Line == 0 ? 0 : Splits ? Line : Line - 1;
  Table.InsertCols(Col, 1);
  for (int r = 0; r < Table.RowCount(); ++r) {
    int MRow, MCol;
    TRPTableCellData* Main = Splits ? Table.GetMainCell(r, Col - 1, MRow, MCol) : nullptr;
    if (Main && MRow == r && MCol + Table.ColSpanAt(*Main, MCol) == Col)
      Table.MergeCells(MRow, MCol, Table.ColSpanAt(*Main, MCol) + 1, Table.RowSpanAt(*Main, MRow));
    else if (TRPTableCellData* New = Table.Cells(r, Col); New && !Splits)
      New->VisibleBorders = TRPBooleanRect(false);
  }
  return Line;
}

void TRPRTFTableBuilder::AssignCellProperties(TTable& T, TRPTableCellData& Cell,
                                              const TRPRTFRowProperties& Row,
                                              const TRPRTFCellProperties& Props, int32_t LeftTw,
                                              int32_t RightTw) {
  ++T.CellBorderCount;
  Cell.Color = Props.FColor;
  if (Props.BestHeightTw > 0)
    Cell.BestHeight = Units(Props.BestHeightTw);
  else if (Row.FHeightTw > 0)
    Cell.BestHeight = Units(Row.FHeightTw);
  for (const TRPRTFSide Side : {rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom}) {
    const TRPRTFBorderSide* S = Props.FBorder.Side(Side);
    const bool Visible = S && S->FBorderType != rtf_brdr_None;
    if (Visible)
      T.CellBorderWidthTw += S->FWidthTw;
    switch (Side) {
    case rtf_side_Left: Cell.VisibleBorders.Left = Visible; break;
    case rtf_side_Top: Cell.VisibleBorders.Top = Visible; break;
    case rtf_side_Right: Cell.VisibleBorders.Right = Visible; break;
    case rtf_side_Bottom: Cell.VisibleBorders.Bottom = Visible; break;
    }
  }
  const auto [First, Second] = BorderColors(Props.FBorder);
  Cell.BorderColor = First;
  Cell.BorderLightColor = Second;
  if (First != Second && First != clNone && Second != clNone)
    T.CellFlatBorder = false;
  const int32_t Width = Props.FBestWidth.Get();
  if (Props.RichPaneSpecial) {
    Cell.BestWidth = Width > 0 ? Units(Width) : Width;
  } else {
    T.Word2000 = T.Word2000 || Width != 0;
    if (T.Word2000)
      Cell.BestWidth = Width > 0 ? Units(Width) : Width / 50;
    else
      Cell.BestWidth = Units(int64_t{RightTw} - LeftTw);
  }
  Cell.Rotation = Props.FTextFlow == rtf_ctf_TopDown    ? rprot90
                  : Props.FTextFlow == rtf_ctf_BottomUp ? rprot270
                                                        : rprotNone;
  Cell.VAlign = Props.FVAlign == rtf_val_Center   ? rpcMiddle
                : Props.FVAlign == rtf_val_Bottom ? rpcBottom
                                                  : rpcTop;
}

void TRPRTFTableBuilder::AssignRowProperties(TTable& T, const TRPRTFRowProperties& Row) {
  TRPTableItemInfo& Table = *T.Table;
  // The cells read; the last scratch cell is the one after the row's last \cell.
  const int Read = static_cast<int>(T.Scratch.size()) - 1;
  const int Count = std::min(Read, RP_RTF_MAX_CELLS);
  if (Count <= 0)
    return;
  // A row holds so many cells at the most; the text of any more goes on in the last one.
  for (int i = Count; i < Read; ++i)
    if (HasContent(*T.Scratch[static_cast<size_t>(i)]))
      T.Scratch[static_cast<size_t>(Count - 1)]->AppendFrom(*T.Scratch[static_cast<size_t>(i)]);
  // Boundaries: the row's, and for cells it does not define, an inch more each.
  std::vector<int32_t> Bounds;
  std::vector<const TRPRTFCellProperties*> Props;
  static const TRPRTFCellProperties NoProps;
  for (int i = 0; i < Count; ++i) {
    if (i < Row.CellCount()) {
      Bounds.push_back(Row.Cell(i).FRightBoundaryTw);
      Props.push_back(&Row.Cell(i));
    } else {
      const int32_t Last = Bounds.empty() ? Row.FLeftTw : Bounds.back();
      Bounds.push_back(RPClampLengthTw(
          static_cast<int32_t>(std::min<int64_t>(int64_t{Last} + DefaultCellWidthTw, INT32_MAX))));
      Props.push_back(&NoProps);
    }
    if (i > 0 && Bounds[i] <= Bounds[i - 1])
      Bounds[i] = Bounds[i - 1] + 1;
  }
  int32_t Left = Row.FLeftTw;
  if (Left > Bounds.front() + RP_TableGridEps)
    Left = Bounds.front() - 10;

  const bool FirstRow = Table.RowCount() == 0;
  if (FirstRow) {
    T.Lines.clear();
    T.Lines.push_back(Left);
    for (const int32_t B : Bounds)
      if (B > T.Lines.back() + RP_TableGridEps)
        T.Lines.push_back(B);
    // A table has a column at least, however narrow its boundaries.
    if (T.Lines.size() < 2)
      T.Lines.push_back(T.Lines.back() + DefaultCellWidthTw);
    Table.InsertCols(0, static_cast<int>(T.Lines.size()) - 1);
    T.LeftTw = Left;
  }
  std::vector<int> Starts;
  std::vector<int> Ends;
  int Previous = ColumnLine(T, Left);
  for (int i = 0; i < Count; ++i) {
    const int Line = std::max(ColumnLine(T, Bounds[static_cast<size_t>(i)]), Previous + 1);
    Starts.push_back(Previous);
    Ends.push_back(Line);
    Previous = Line;
  }
  // The column lines of every cell found, the row is added and takes its cells.
  const int RowNo = Table.RowCount();
  Table.InsertRows(RowNo, 1);
  Table.Rows(RowNo).KeepTogether = Row.FKeepTogether;
  int LastMain = -1;
  int FreeCol = 0;
  for (int i = 0; i < Count; ++i) {
    const int C0 = std::min(Starts[static_cast<size_t>(i)], Table.ColCount() - 1);
    const int C1 = std::min(Ends[static_cast<size_t>(i)], Table.ColCount());
    const TRPRTFCellProperties& P = *Props[static_cast<size_t>(i)];
    TRPTableCellData& Cell = *T.Scratch[static_cast<size_t>(i)];
    if (C0 < FreeCol || C1 <= C0) {
      // No column of its own: its text goes on in the cell before it.
      int MRow, MCol;
      if (TRPTableCellData* Before = Table.GetMainCell(RowNo, std::max(LastMain, 0), MRow, MCol);
          Before && HasContent(Cell))
        Before->AppendFrom(Cell);
      continue;
    }
    FreeCol = C1;
    AssignCellProperties(T, Cell, Row, P, T.Lines[static_cast<size_t>(C0)],
                         T.Lines[std::min<size_t>(static_cast<size_t>(C1), T.Lines.size() - 1)]);
    if (P.FHMerge == rtf_cm_Merged && LastMain >= 0) {
      // Merged into the cell before it: the text goes there too.
      if (HasContent(Cell))
        Table.Cells(RowNo, LastMain)->AppendFrom(Cell);
      Table.MergeCells(RowNo, LastMain, C1 - LastMain, 1);
      continue;
    }
    Table.ReplaceCell(RowNo, C0, std::move(T.Scratch[static_cast<size_t>(i)]));
    if (C1 - C0 > 1)
      Table.MergeCells(RowNo, C0, C1 - C0, 1);
    LastMain = C0;
    if (P.FVMerge == rtf_cm_Merged && RowNo > 0) {
      int MRow, MCol;
      if (TRPTableCellData* Above = Table.GetMainCell(RowNo - 1, C0, MRow, MCol);
          Above && MCol == C0) {
        const int Span = std::max(Table.ColSpanAt(*Above, MCol), C1 - C0);
        if (HasContent(*Table.Cells(RowNo, C0)))
          Table.Cells(MRow, MCol)->AppendFrom(*Table.Cells(RowNo, C0));
        Table.Cells(RowNo, C0)->Clear();
        Table.MergeCells(MRow, MCol, Span, RowNo - MRow + 1);
      }
    }
  }
  // Columns the row does not reach: cells without borders.
  for (int c = Ends.empty() ? 0 : Ends.back(); c < Table.ColCount(); ++c)
    if (TRPTableCellData* Cell = Table.Cells(RowNo, c)) {
      Cell->VisibleBorders = TRPBooleanRect(false);
      if (Cell->GetItemCount() == 0)
        Cell->AddNLR({}, 0, 0);
    }

  // The table's lengths, as means over its rows and cells.
  if (Row.FHeading)
    Table.HeadingRowCount = Table.RowCount();
  if (FirstRow) {
    T.Alignment = Row.FAlignment;
    T.AlignmentDefined = Row.FAlignmentDefined;
    T.AlignmentEqual = Row.FAlignmentDefined;
  } else if (!Row.FAlignmentDefined || Row.FAlignment != T.Alignment) {
    T.AlignmentEqual = false;
  }
  for (const TRPRTFSide Side : {rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom}) {
    if (const TRPRTFBorderSide* S = Row.FBorder.Side(Side); S && S->FBorderType != rtf_brdr_None) {
      T.BorderWidthTw += S->FWidthTw;
      ++T.BorderCount;
    }
    const size_t i = static_cast<size_t>(Side);
    if (Row.FUsePadding[i])
      (Side == rtf_side_Left || Side == rtf_side_Right ? T.CellHPaddingTw : T.CellVPaddingTw) +=
          Row.FPaddingTw[i];
  }
  T.CellHPaddingCount += 2;
  T.CellVPaddingCount += 2;
  // Spacing the row asks for; a negative one counts as none.
  const auto Used = [&Row](TRPRTFSide Side) {
    const size_t i = static_cast<size_t>(Side);
    return Row.FUseSpacing[i] && Row.FSpacingTw[i] >= 0;
  };
  const auto Spacing = [&Row](TRPRTFSide Side) {
    return int64_t{Row.FSpacingTw[static_cast<size_t>(Side)]};
  };
  const auto HasType = [&Row](TRPRTFSide Side) {
    const TRPRTFBorderSide* S = Row.FBorder.Side(Side);
    return S && S->FBorderType != rtf_brdr_None;
  };
  if (Used(rtf_side_Top)) {
    if (FirstRow) {
      T.VBorderSpacing1Tw = Spacing(rtf_side_Top);
      T.UseBorderVSpacing = true;
      Table.VisibleBorders.Top = HasType(rtf_side_Top);
      Table.VisibleBorders.Left = HasType(rtf_side_Left);
      Table.VisibleBorders.Right = HasType(rtf_side_Right);
    } else {
      T.VSpacingTw += Spacing(rtf_side_Top);
    }
  }
  Table.VisibleBorders.Bottom = HasType(rtf_side_Bottom);
  T.VSpacingTw += T.VBorderSpacing2Tw;
  if (!FirstRow)
    T.UseCellVSpacing = T.UseCellVSpacing || T.UsePrevBottomSpacing || Used(rtf_side_Top);
  T.UsePrevBottomSpacing = Used(rtf_side_Bottom);
  if (Used(rtf_side_Bottom))
    T.VBorderSpacing2Tw = Spacing(rtf_side_Bottom);
  for (const TRPRTFSide Side : {rtf_side_Left, rtf_side_Right}) {
    const size_t i = static_cast<size_t>(Side);
    if (Used(Side)) {
      T.UseHSpacing = true;
      T.HSpacingTw += Spacing(Side);
    } else {
      T.HSpacingTw += Row.FGapHTw - (Row.FUsePadding[i] ? Row.FPaddingTw[i] : 0);
    }
  }
  const int32_t RowWidth = Row.FBestWidth.Get();
  if (Row.RichPaneSpecial) {
    T.BestWidth = RowWidth;
    T.RichPaneSpecial = true;
  } else if ((T.BestWidth <= 0 && RowWidth < T.BestWidth) ||
             (T.BestWidth >= 0 && RowWidth > T.BestWidth)) {
    T.BestWidth = RowWidth;
  }
  const auto [First, Second] = BorderColors(Row.FBorder);
  if (First != clNone)
    Table.BorderLightColor = First;
  if (Second != clNone)
    Table.BorderColor = Second;
}

void TRPRTFTableBuilder::Finalize(TTable& T) {
  TRPTableItemInfo& Table = *T.Table;
  if (T.CellFlatBorder)
    Table.CellBorderStyle = rptbColor;
  if (Table.BorderColor == Table.BorderLightColor)
    Table.BorderStyle = rptbColor;
  if (FSettings.UseSingleCellPadding) {
    Table.SetCellPadding(Units(
        Mean(T.CellHPaddingTw + T.CellVPaddingTw, T.CellHPaddingCount + T.CellVPaddingCount)));
  } else {
    Table.CellHPadding = Units(Mean(T.CellHPaddingTw, T.CellHPaddingCount));
    Table.CellVPadding = Units(Mean(T.CellVPaddingTw, T.CellVPaddingCount));
  }
  Table.ForEachCell([&](TRPTableCellData& Cell, int, int) {
    if (!T.RichPaneSpecial && Cell.BestWidth > 2 * Table.CellHPadding)
      Cell.BestWidth -= 2 * Table.CellHPadding;
    if (Cell.GetItemCount() == 0)
      Cell.AddNLR({}, 0, 0);
  });
  if (T.RichPaneSpecial)
    Table.BestWidth = T.BestWidth > 0 ? Units(T.BestWidth) : T.BestWidth;
  else if (T.BestWidth > 0)
    Table.BestWidth = Units(T.BestWidth - Mean(T.BorderWidthTw, T.BorderCount));
  else if (T.BestWidth < 0)
    Table.BestWidth = T.BestWidth / 50;
  else if (FSettings.ExplicitTableWidth && T.Lines.size() > 1)
    Table.BestWidth = Units(int64_t{T.Lines.back()} - T.Lines.front());
  if (T.CellBorderCount > 0) {
    const int64_t Tw = Mean(T.CellBorderWidthTw, T.CellBorderCount);
    Table.CellBorderWidth = Units(Tw);
    if (Table.CellBorderWidth == 0 && Tw > 4)
      Table.CellBorderWidth = 1;
  }
  if (T.BorderCount > 0)
    Table.BorderWidth = Units(Mean(T.BorderWidthTw, T.BorderCount));
  // Spacing between cells: what the rows asked for, else the borders of neighbouring cells,
  // and of the cells and the table, are one line.
  const TRPStyleLength Shared = std::min(Table.CellBorderWidth, Table.BorderWidth);
  T.UseBorderVSpacing = T.UseBorderVSpacing || T.UsePrevBottomSpacing;
  Table.CellVSpacing = T.UseCellVSpacing && Table.RowCount() > 1
                           ? Units(Mean(T.VSpacingTw, Table.RowCount() - 1))
                           : -Table.CellBorderWidth;
  Table.BorderVSpacing =
      T.UseBorderVSpacing ? Units(T.VBorderSpacing1Tw + T.VBorderSpacing2Tw) : -Shared;
  if (T.UseHSpacing) {
    Table.CellHSpacing = Table.BorderHSpacing = Units(Mean(T.HSpacingTw, Table.RowCount()));
  } else {
    Table.CellHSpacing = -Table.CellBorderWidth;
    Table.BorderHSpacing = -Shared;
  }
  if (!T.UseHSpacing && !T.UseCellVSpacing && !T.UseBorderVSpacing &&
      Table.BorderWidth == Table.CellBorderWidth) {
    Table.BorderWidth = 0;
    Table.BorderHSpacing = 0;
    Table.BorderVSpacing = 0;
  }
  if (FSettings.AutoHideTableGridLines)
    Table.Options.Include(rptoHideGridLines);
}

void TRPRTFTableBuilder::End(bool Forced) {
  if (FTables.empty())
    return;
  std::unique_ptr<TTable> T = std::move(FTables.back());
  FTables.pop_back();
  TRPTableItemInfo& Table = *T->Table;
  Finalize(*T);
  // What an unfinished row held goes on as paragraphs where the table stands; so does
  // anything read after the last row's end.
  std::vector<std::unique_ptr<TRPTableCellData>> Unfinished;
  if ((Forced && !T->RowFinished) ||
      std::any_of(T->Scratch.begin(), T->Scratch.end(),
                  [](const std::unique_ptr<TRPTableCellData>& Cell) { return HasContent(*Cell); }))
    Unfinished = std::move(T->Scratch);
  if (Table.RowCount() > 0 && Table.ColCount() > 0) {
    Table.DeleteEmptyRows();
    TRPRTFParaProperties Para;
    Para.FAlignment = T->AlignmentEqual ? T->Alignment : rtf_al_Left;
    Para.FLeftIndentTw = std::max(T->LeftTw, 0);
    Table.ParaNo = FHost.ParaNoFor(Para);
    Table.Hidden = T->Hidden;
    FHost.PlaceTable(std::move(T->Table));
  }
  for (const std::unique_ptr<TRPTableCellData>& Cell : Unfinished)
    FHost.MoveOut(*Cell);
}
