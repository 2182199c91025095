// Painting a formatted document: the double-buffered paint of a control's invalid area,
// the document background, and the walk over the visible draw items that draws, in this
// order, paragraph backgrounds and borders, text backgrounds, and then line by line the
// page-break marks, the non-text items and the text runs with their selection, and,
// when special characters are shown, the paragraph marks.
//
// Draw items hold document coordinates; the canvas's pixel (0, 0) is the document point
// (XShift, YShift).
#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/layout/RPDisplayString.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPStyle.h"

namespace {

// No text style has been applied to the canvas yet, or the canvas font may have changed.
constexpr int NoStyle = -1;

// A vertical stretch, Bottom exclusive.
struct TVerticalBounds {
  int32_t Top = 0;
  int32_t Bottom = 0;
};

// A horizontal stretch in canvas pixels, Right exclusive.
struct THorizontalRange {
  int32_t Left = 0;
  int32_t Right = 0;
};

// A text draw item prepared for drawing: its style and its characters as shown.
struct TTextRun {
  const TRPDrawLineInfo& Piece;
  int StyleNo;
  TRPTextView Text;
};

// Brings the canvas's state, clipping included, back when it goes, also on an exception.
class TCanvasStateKeeper {
public:
  TCanvasStateKeeper(TRPCanvas& Canvas, TRPGraphicInterface& GI)
      : FCanvas(Canvas), FGI(GI), FSaved(GI.SaveCanvasState(Canvas)) {}
  ~TCanvasStateKeeper() { FGI.RestoreCanvasState(FCanvas, FSaved); }
  TCanvasStateKeeper(const TCanvasStateKeeper&) = delete;
  TCanvasStateKeeper& operator=(const TCanvasStateKeeper&) = delete;

private:
  TRPCanvas& FCanvas;
  TRPGraphicInterface& FGI;
  const int FSaved;
};

// The per-call state of PaintTo.
class TRPDocumentPainter {
public:
  TRPDocumentPainter(TCustomRPFormattedData& Doc, TRPCanvas& Canvas, const TRect& ClipRect,
                     int32_t ExtraXOffs, int32_t ExtraYOffs);
  void Paint(bool StrictTop, bool StrictBottom, int MinDItemNo, int MaxDItemNo);

private:
  // ---- which draw items are painted
  int FirstToPaint(bool StrictTop) const;
  int LastToPaint(int First) const;
  bool EndsBelowClip(int i) const;

  // ---- lines and paragraphs
  TVerticalBounds LineBounds(int i) const {
    return Extent(FDoc.GetLineStartDrawItem(i), FDoc.GetLineEndDrawItem(i));
  }
  int32_t LineTop(int i) const { return LineBounds(i).Top; }
  TVerticalBounds Extent(int First, int Last) const;
  int ParaStart(int i) const;
  int NextParaStart(int i) const;
  // The right edge of the text area in document coordinates.
  int32_t TextAreaRight() const;

  // ---- backgrounds
  void DrawParagraphsBacks(int First, int Last);
  void DrawParagraphBack(int First, int Last);
  TRect ParagraphBox(int First, int Last, const TParaInfo& Para) const;
  void DrawTextBacks(int First, int Last);
  bool JoinsTextBack(int i, int StyleNo) const;
  void DrawTextBack(int First, int Last, int StyleNo);

  // ---- draw items
  void DrawItem(int i);
  void DrawPageBreak(int i);
  void DrawNonText(int i);
  void FillLineSelection(THorizontalRange Range, TRPColor Color);
  void ApplyTextStyle(int StyleNo);
  void DrawTextItem(int i);
  // Selected: the range the selection covers, or nullptr for an unselected run.
  void DrawText(const TTextRun& Run, const THorizontalRange* Selected);
  void ApplyTextColors(int StyleNo, TRPTextDrawState DrawState);
  void DrawMarks(int i, const TTextRun& Run);
  void DrawSelectedPart(int i, const TTextRun& Run, int First, int Last);
  void DrawParaMark(int i);

  // ---- selection
  bool HasSelection() const;
  bool IsNonTextSelected(int i) const;
  // The selected characters of text draw item i, 1-based; First > Last for none.
  std::pair<int, int> SelectedChars(int i) const;
  TRPColor SelectionColor() const;

  TCustomRPFormattedData& FDoc;
  TRPCanvas& FCanvas;
  TRPStyle& FSheet;
  TRPGraphicInterface& FGI;
  const TRPDrawLines& FItems;
  const TRPOptions FOptions;
  const bool FShowSpecialCharacters;
  const int32_t FXShift;
  const int32_t FYShift;
  const bool FUseClipRect;
  // The clip rectangle's top and bottom in document coordinates.
  const TVerticalBounds FClip;
  const TRPBiDiMode FBiDiMode;
  TRPTextDrawState FTextState;
  TRPItemDrawState FItemState;
  int FSelStartNo = -1, FSelStartOffs = 0, FSelEndNo = -1, FSelEndOffs = 0;
  const bool FCompletelySelected;
  // The vertical bounds of the line being painted.
  TVerticalBounds FLine;
  int FLastDrawnStyleNo = NoStyle;
};

TRPDocumentPainter::TRPDocumentPainter(TCustomRPFormattedData& Doc, TRPCanvas& Canvas,
                                       const TRect& ClipRect, int32_t ExtraXOffs,
                                       int32_t ExtraYOffs)
    : FDoc(Doc), FCanvas(Canvas), FSheet(*Doc.GetRPStyle()), FGI(FSheet.GetGraphicInterface()),
      FItems(Doc.DrawItems), FOptions(Doc.GetOptions()),
      FShowSpecialCharacters(FOptions.Contains(rpoShowSpecialCharacters)),
      FXShift(Doc.GetHOffs() + ClipRect.Left + ExtraXOffs),
      FYShift(Doc.GetVOffs() + ClipRect.Top + ExtraYOffs),
      FUseClipRect(!ClipRect.IsEmpty()), FClip{FYShift, FYShift + ClipRect.Height()},
      FBiDiMode(Doc.GetBiDiMode()), FCompletelySelected(Doc.IsCompletelySelected()) {
  FTextState.Set(rptsControlFocused, Doc.IsFocused());
  FTextState.Set(rptstControlDisabled, !Doc.IsEnabled());
  FItemState.Set(rpidsControlFocused, Doc.IsFocused());
  FTextState.Set(rptsSpecialCharacters, FShowSpecialCharacters);
  FItemState.Set(rpidsShowSpecialCharacters, FShowSpecialCharacters);
  Doc.GetSelBounds(FSelStartNo, FSelStartOffs, FSelEndNo, FSelEndOffs);
}

void TRPDocumentPainter::Paint(bool StrictTop, bool StrictBottom, int MinDItemNo, int MaxDItemNo) {
  FCanvas.Brush.Style = bsClear;
  if (FItems.Count() == 0)
    return;
  const int First = std::max(FirstToPaint(StrictTop), MinDItemNo);
  int Last = LastToPaint(First);
  if (MaxDItemNo >= 0)
    Last = std::min(Last, MaxDItemNo);
  if (First > Last)
    return;
  DrawParagraphsBacks(First, Last);
  if (FSheet.TextBackgroundKind != rptbkSimple || FSheet.OnDrawTextBack)
    DrawTextBacks(First, Last);
  for (int i = First; i <= Last; ++i) {
    if (i == First || FItems[i].FromNewLine)
      FLine = LineBounds(i);
    if (!(StrictBottom && EndsBelowClip(i)))
      DrawItem(i);
  }
  // The page-break mark of the line below lies one pixel above it, maybe inside.
  if (Last + 1 < FItems.Count() && (MaxDItemNo < 0 || Last < MaxDItemNo)) {
    FLine = LineBounds(Last + 1);
    DrawPageBreak(Last + 1);
  }
}

// ---------------------------------------------------------------- painted range

// One line above the first visible one; with StrictTop the line of the first draw item
// that begins at or below the clip rectangle's top.
int TRPDocumentPainter::FirstToPaint(bool StrictTop) const {
  if (!FUseClipRect)
    return 0;
  int First = FDoc.GetDrawItemNo(FClip.Top, gdinFirstVisible);
  if (!StrictTop)
    return First;
  while (First < FItems.Count() && FItems[First].Top < FClip.Top)
    ++First;
  return First < FItems.Count() ? FDoc.GetLineStartDrawItem(First) : First;
}

// The last draw item before the first line that starts below the clip rectangle.
int TRPDocumentPainter::LastToPaint(int First) const {
  if (FUseClipRect)
    for (int i = First; i < FItems.Count(); ++i)
      if (FItems[i].FromNewLine && LineTop(i) >= FClip.Bottom)
        return i - 1;
  return FItems.Count() - 1;
}

bool TRPDocumentPainter::EndsBelowClip(int i) const {
  return FUseClipRect && FItems[i].Top + FItems[i].Height > FClip.Bottom;
}

// ---------------------------------------------------------------- lines and paragraphs

// From the smallest top to the largest bottom of draw items First..Last, with the extra
// space of line spacing.
TVerticalBounds TRPDocumentPainter::Extent(int First, int Last) const {
  TVerticalBounds Result{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
  for (int i = First; i <= Last; ++i) {
    const TRPDrawLineInfo& D = FItems[i];
    Result.Top = std::min(Result.Top, D.Top - D.GetExtraSpaceAbove());
    Result.Bottom = std::max(Result.Bottom, D.Top + D.Height + D.GetExtraSpaceBelow());
  }
  return Result;
}

int TRPDocumentPainter::ParaStart(int i) const {
  while (!FDoc.IsDrawItemParaStart(i))
    --i;
  return i;
}

int TRPDocumentPainter::NextParaStart(int i) const {
  do
    ++i;
  while (i < FItems.Count() && !FDoc.IsDrawItemParaStart(i));
  return i;
}

// The client width with rpoClientTextWidth, else the document area, no wider than the
// largest text width; less the right margin.
int32_t TRPDocumentPainter::TextAreaRight() const {
  const int32_t LeftMargin = FDoc.GetLeftMargin();
  const int32_t RightMargin = FDoc.GetRightMargin();
  int32_t Area = LeftMargin + FDoc.DocumentWidth + RightMargin;
  if (FOptions.Contains(rpoClientTextWidth))
    Area = FDoc.GetWidth();
  else if (FDoc.GetMaxTextWidth() > 0)
    Area = std::min(Area, LeftMargin + FDoc.GetMaxTextWidth() + RightMargin);
  return Area - RightMargin;
}

// ---------------------------------------------------------------- backgrounds

// From the start of the paragraph that holds First (which may lie above the clip
// rectangle), paragraph by paragraph, over the paragraphs' painted lines.
void TRPDocumentPainter::DrawParagraphsBacks(int First, int Last) {
  for (int p = ParaStart(First); p <= Last;) {
    const int Next = NextParaStart(p);
    DrawParagraphBack(p, std::min(Next - 1, Last));
    p = Next;
  }
}

void TRPDocumentPainter::DrawParagraphBack(int First, int Last) {
  const int ItemNo = FItems[First].ItemNo;
  if (FDoc.GetItem(ItemNo)->StyleNo == rpsBreak)
    return;
  const int ParaNo = FDoc.GetItemPara(ItemNo);
  const TParaInfo& Para = FSheet.ParaStyles.Items(ParaNo);
  if (Para.Border.Style == rpbNone && Para.Background.Color == clNone && !FSheet.OnDrawParaBack)
    return;
  const TRect Box = ParagraphBox(First, Last, Para);
  TRect Back = Box;
  Para.Background.PrepareDraw(Back, FSheet);
  FSheet.DrawParaBack(FCanvas, ParaNo, Back, false, rpcmColor);
  Para.Border.Draw(Box, FCanvas, FGI, FSheet);
}

// The paragraph's box in canvas pixels, right and bottom edges inclusive: from its
// leftmost line start to the text area's right edge (or a draw item sticking out), over
// draw items First..Last.
TRect TRPDocumentPainter::ParagraphBox(int First, int Last, const TParaInfo& Para) const {
  // From the leftmost line, which never starts left of the margin.
  const int32_t Left =
      FDoc.GetLeftMargin() + std::max(FSheet.GetAsPixels(Para.LeftIndent) +
                                          std::min(FSheet.GetAsPixels(Para.FirstIndent), 0),
                                      0);
  int32_t Right = TextAreaRight() - FSheet.GetAsPixels(Para.RightIndent);
  for (int i = First; i <= Last; ++i)
    Right = std::max(Right, FItems[i].Left + FItems[i].Width);
  const TVerticalBounds Vertical = Extent(First, Last);
  return {Left - FXShift, Vertical.Top - FYShift, Right - FXShift - 1,
          Vertical.Bottom - FYShift - 1};
}

// One rectangle for each run of text draw items of one style on one line.
void TRPDocumentPainter::DrawTextBacks(int First, int Last) {
  int i = FSheet.TextBackgroundKind == rptbkLines ? FDoc.GetLineStartDrawItem(First) : First;
  while (i <= Last) {
    if (!FDoc.GetItem(FItems[i].ItemNo)->IsTextItem()) {
      ++i;
      continue;
    }
    const int StyleNo = FDoc.GetDrawItemStyle(i);
    int j = i;
    while (j < Last && JoinsTextBack(j + 1, StyleNo))
      ++j;
    DrawTextBack(i, j, StyleNo);
    i = j + 1;
  }
}

bool TRPDocumentPainter::JoinsTextBack(int i, int StyleNo) const {
  return !FItems[i].FromNewLine && FDoc.GetItem(FItems[i].ItemNo)->IsTextItem() &&
         FDoc.GetDrawItemStyle(i) == StyleNo;
}

void TRPDocumentPainter::DrawTextBack(int First, int Last, int StyleNo) {
  const TRPDrawLineInfo& D = FItems[First];
  TVerticalBounds Vertical{D.Top, D.Top + D.Height};
  if (FSheet.TextBackgroundKind == rptbkLines)
    Vertical = LineBounds(First);
  const TRect R{D.Left - FXShift, Vertical.Top - FYShift,
                FItems[Last].Left + FItems[Last].Width - FXShift, Vertical.Bottom - FYShift};
  FSheet.DrawTextBack(FCanvas, D.ItemNo, StyleNo, R, FTextState, false, rpcmColor);
}

// ---------------------------------------------------------------- draw items

void TRPDocumentPainter::DrawItem(int i) {
  DrawPageBreak(i);
  if (FDoc.GetItem(FItems[i].ItemNo)->IsTextItem())
    DrawTextItem(i);
  else
    DrawNonText(i);
  if (FShowSpecialCharacters && RPVisibleSpecialCharacters.Contains(rpscParagraph))
    DrawParaMark(i);
}

// A line one pixel above the line of an item's first draw item.
void TRPDocumentPainter::DrawPageBreak(int i) {
  const int ItemNo = FItems[i].ItemNo;
  if (!FOptions.Contains(rpoShowPageBreaks) || !FDoc.GetItem(ItemNo)->PageBreakBefore() ||
      !FDoc.IsDrawItemItemStart(i))
    return;
  FSheet.DrawPageBreak(FCanvas, FLine.Top - FYShift - 1, FXShift, rppbPageBreak, FDoc.GetWidth(),
                       ItemNo);
  FLastDrawnStyleNo = NoStyle;
}

void TRPDocumentPainter::DrawNonText(int i) {
  const TRPDrawLineInfo& D = FItems[i];
  TCustomRPItemInfo& Item = *FDoc.GetItem(D.ItemNo);
  TRPItemDrawState State = FItemState;
  State.Set(rpidsSelected, IsNonTextSelected(i));
  const int32_t X = D.Left - FXShift;
  const int32_t Y = D.Top - FYShift;
  if (Item.GetBoolValue(rpbpFullWidth)) {
    Item.PaintFullWidth(X, Y, TextAreaRight() - FXShift - X, D.Height, FCanvas, State, FDoc);
  } else {
    if (State.Contains(rpidsSelected) && FSheet.SelectionStyle == rpssLines &&
        Item.StyleNo != rpsListMarker)
      FillLineSelection({X, X + D.Width}, SelectionColor());
    Item.Paint(X, Y, D.Width, D.Height, FCanvas, State, FDoc);
  }
  if (Item.GetBoolValue(rpbpDrawingChangesFont))
    FLastDrawnStyleNo = NoStyle;
}

void TRPDocumentPainter::FillLineSelection(THorizontalRange Range, TRPColor Color) {
  if (Color != clNone)
    FGI.FillColorRect(
        FCanvas, {Range.Left, FLine.Top - FYShift, Range.Right, FLine.Bottom - FYShift}, Color);
}

void TRPDocumentPainter::ApplyTextStyle(int StyleNo) {
  if (StyleNo == FLastDrawnStyleNo)
    return;
  FSheet.ApplyStyle(FCanvas, StyleNo, FBiDiMode, FDoc.GetFlags().Contains(rpflCanUseCustomPPI),
                    nullptr, false, false, false);
  FLastDrawnStyleNo = StyleNo;
}

// Unselected, wholly selected, or unselected and then the selected characters again.
void TRPDocumentPainter::DrawTextItem(int i) {
  const TRPDrawLineInfo& D = FItems[i];
  const TCustomRPItemInfo& Item = *FDoc.GetItem(D.ItemNo);
  const int StyleNo = FDoc.GetDrawItemStyle(i);
  ApplyTextStyle(StyleNo);
  std::string Text = FDoc.GetDrawItemDisplayText(i);
  // A space that a wrap took away is shown at the end of its line.
  if (FShowSpecialCharacters && RichPaneSwitches.RichPaneShowGhostSpaces &&
      FDoc.IsSpaceBetweenDrawItems(i))
    Text.append(Item.Unicode() ? std::string_view(" \0", 2) : std::string_view(" "));
  const TTextRun Run{D, StyleNo,
                     Item.Unicode() ? TRPTextView::Utf16LE(Text) : TRPTextView::Ansi(Text)};
  DrawMarks(i, Run);
  const auto [First, Last] = SelectedChars(i);
  if (First == 1 && Last == D.Length && First <= Last) {
    const THorizontalRange Whole{D.Left - FXShift, D.Left + D.Width - FXShift};
    DrawText(Run, &Whole);
    return;
  }
  DrawText(Run, nullptr);
  if (First <= Last)
    DrawSelectedPart(i, Run, First, Last);
}

void TRPDocumentPainter::DrawText(const TTextRun& Run, const THorizontalRange* Selected) {
  const TRPDrawLineInfo& D = Run.Piece;
  TRPTextDrawState DrawState = FTextState;
  DrawState.Set(rptsSelected, Selected != nullptr);
  ApplyTextColors(Run.StyleNo, DrawState);
  if (Selected && FSheet.SelectionStyle == rpssLines) {
    FillLineSelection(*Selected, FCanvas.Brush.Color);
    FCanvas.Brush.Style = bsClear;
  }
  FSheet.DrawStyleText(Run.Text, FCanvas, D.ItemNo, D.Offs, Run.StyleNo, &FDoc, D.GetSpaceAtLeft(),
                       D.Left - FXShift, D.Top - FYShift, D.Width, D.Height, D.GetTextWidth(),
                       D.GetSpaceCount(), DrawState, FBiDiMode, D.GetLeftNoExpandIndex() - 1,
                       D.GetRightNoExpandIndex() - 1);
}

// With text backgrounds of their own, unselected runs only take the text colour.
void TRPDocumentPainter::ApplyTextColors(int StyleNo, TRPTextDrawState DrawState) {
  if (FSheet.TextBackgroundKind == rptbkSimple || DrawState.Contains(rptsSelected)) {
    FSheet.ApplyStyleColor(FCanvas, StyleNo, DrawState, false, rpcmColor);
    return;
  }
  FSheet.TextStyles.Items(StyleNo).ApplyTextColor(FCanvas, DrawState, false, rpcmColor, FSheet);
  FCanvas.Brush.Style = bsClear;
}

// The whole run again, selected, clipped to characters First..Last (justification
// spacing included), so that no glyph moves.
// The marked characters of a text draw item, filled behind its text.
void TRPDocumentPainter::DrawMarks(int i, const TTextRun& Run) {
  const TRPDrawLineInfo& D = Run.Piece;
  std::vector<int32_t> Carets;
  for (const TCustomRPFormattedData::TMarkedText& Mark : FDoc.Marks) {
    if (D.ItemNo < Mark.FirstItem || D.ItemNo > Mark.LastItem)
      continue;
    // Item offsets of the marked characters, then their places in the draw item (1-based).
    const int32_t From = D.ItemNo == Mark.FirstItem ? Mark.FirstOffs : 1;
    const int32_t To = D.ItemNo == Mark.LastItem ? Mark.LastOffs - 1 : INT32_MAX;
    const int32_t First = std::max(From - D.Offs + 1, 1);
    const int32_t Last = static_cast<int32_t>(
        std::min<int64_t>(int64_t{To} - D.Offs + 1, std::min(D.Length, Run.Text.Length())));
    if (First > Last)
      continue;
    if (Carets.empty())
      Carets = FDoc.GetDrawItemCarets(FCanvas, i, Run.Text);
    const int32_t X = D.Left - FXShift;
    FGI.FillColorRect(FCanvas,
                      {X + Carets[static_cast<size_t>(First - 1)], D.Top - FYShift,
                       X + Carets[static_cast<size_t>(Last)], D.Top + D.Height - FYShift},
                      FSheet.FoundColor);
  }
}

void TRPDocumentPainter::DrawSelectedPart(int i, const TTextRun& Run, int First, int Last) {
  const TRPDrawLineInfo& D = Run.Piece;
  const std::vector<int32_t> Carets = FDoc.GetDrawItemCarets(FCanvas, i, Run.Text);
  Last = std::min(Last, Run.Text.Length());
  if (First > Last)
    return;
  const int32_t X = D.Left - FXShift;
  const THorizontalRange Range{X + Carets[static_cast<size_t>(First - 1)],
                               X + Carets[static_cast<size_t>(Last)]};
  const TCanvasStateKeeper Keeper(FCanvas, FGI);
  // Glyphs may reach out of a line whose spacing is smaller than the font.
  const int32_t Top = std::min(FLine.Top, D.Top), Bottom = std::max(FLine.Bottom, D.Top + D.Height);
  FGI.IntersectClipRect(FCanvas, {Range.Left, Top - FYShift, Range.Right, Bottom - FYShift});
  DrawText(Run, &Range);
}

// The mark after the last draw item of a paragraph, or of a line that a line break
// ends, bottom-aligned with it: a pilcrow, or the Symbol font's return arrow after a
// line break; with arrows for paragraph marks, the return arrow after a paragraph and
// the down arrow after a line break. Rules and tables, paragraphs of their own, get none.
void TRPDocumentPainter::DrawParaMark(int i) {
  const bool ParaEnd = i + 1 == FItems.Count() || FDoc.IsDrawItemParaStart(i + 1);
  if (!ParaEnd && !FDoc.IsDrawItemParaSectionStart(i + 1))
    return;
  const TRPDrawLineInfo& D = FItems[i];
  const TCustomRPItemInfo& Item = *FDoc.GetItem(D.ItemNo);
  if (Item.GetBoolValue(rpbpFullWidth))
    return;
  // The mark leaves the canvas as it found it, and the style last applied stays applied.
  const TRPDrawingState Saved = FCanvas;
  const int SavedStyleNo = std::exchange(FLastDrawnStyleNo, NoStyle);
  const int StyleNo = Item.IsTextItem() ? FDoc.GetDrawItemStyle(i) : 0;
  ApplyTextStyle(StyleNo);
  FSheet.TextStyles.Items(StyleNo).ApplyTextColor(FCanvas, FTextState, false, rpcmColor, FSheet);
  if (FSheet.SpecialCharactersColor != clNone)
    FCanvas.Font.Color = FSheet.SpecialCharactersColor;
  FCanvas.Brush.Style = bsClear;
  const bool Arrows = RPParagraphMarks == rppmArrows;
  std::u16string_view Mark = u"\u00B6";
  std::string_view SymbolMark;
  if (!ParaEnd || Arrows) {
    SymbolMark = ParaEnd || !Arrows ? std::string_view("\xBF") : std::string_view("\xAF");
    FCanvas.Font.Name = "Symbol";
    FCanvas.Font.Charset = RP_SYMBOL_CHARSET;
  } else if (FSheet.TextStyles.Items(StyleNo).IsSymbolCharset()) {
    FCanvas.Font.Name = "Arial";
    FCanvas.Font.Charset = RP_DEFAULT_CHARSET;
  }
  const TRPTextView Text = SymbolMark.empty() ? TRPTextView(Mark) : TRPTextView::Ansi(SymbolMark);
  const TSize Size = FGI.TextSizeBasic(FCanvas, Text);
  const bool RightToLeft = FDoc.GetParaBiDiMode(Item.ParaNo) == rpbdRightToLeft;
  const int32_t X = RightToLeft ? D.Left - Size.cx : D.Left + D.Width;
  FGI.TextOut(FCanvas, X - FXShift, D.Top + D.Height - Size.cy - FYShift, Text);
  static_cast<TRPDrawingState&>(FCanvas) = Saved;
  FLastDrawnStyleNo = SavedStyleNo;
}

// ---------------------------------------------------------------- selection

bool TRPDocumentPainter::HasSelection() const {
  return FSelStartNo >= 0 && !(FSelStartNo == FSelEndNo && FSelStartOffs == FSelEndOffs);
}

// Offset 0 of the last draw item ends the selection before the item, offset 1 of the
// first starts it after the item.
bool TRPDocumentPainter::IsNonTextSelected(int i) const {
  if (FCompletelySelected)
    return true;
  return HasSelection() && FSelStartNo <= i && i <= FSelEndNo &&
         !(i == FSelEndNo && FSelEndOffs == 0) && !(i == FSelStartNo && FSelStartOffs == 1);
}

std::pair<int, int> TRPDocumentPainter::SelectedChars(int i) const {
  const int Length = FItems[i].Length;
  if (FCompletelySelected)
    return {1, Length};
  if (!HasSelection() || i < FSelStartNo || i > FSelEndNo)
    return {1, 0};
  const int First = i == FSelStartNo && FSelStartOffs > 1 ? FSelStartOffs : 1;
  const int Last = i == FSelEndNo && Length >= FSelEndOffs ? FSelEndOffs - 1 : Length;
  return {First, Last};
}

TRPColor TRPDocumentPainter::SelectionColor() const {
  return FDoc.IsFocused() ? FSheet.SelColor : FSheet.InactiveSelColor;
}

// ---------------------------------------------------------------- buffered painting

// Runs Action; the message of anything it throws, "unknown error" for what is not a
// standard exception.
std::optional<std::string> CatchPaintError(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const std::exception& E) {
    return E.what();
  } catch (...) {
    return "unknown error";
  }
  return std::nullopt;
}

// "Error:" and the message at the canvas's top-left corner, red on white.
void ShowPaintError(TRPCanvas& Canvas, const std::string& Message, TRPGraphicInterface& GI) {
  Canvas.Font = TRPFont{};
  Canvas.Font.Name = "Arial";
  Canvas.Font.PixelsPerInch = Canvas.PixelsPerInchY();
  Canvas.Font.SetSize(10);
  Canvas.Font.Color = clRed;
  Canvas.Brush = TRPBrush{};
  Canvas.Brush.Color = clWhite;
  Canvas.TextAlign = RP_TA_LEFT | RP_TA_TOP;
  const std::u16string Text = RP_AnsiToUnicode("Error:" + Message, CP_UTF8);
  GI.TextOut(Canvas, 0, 0, std::u16string_view(Text));
}

bool IsBeingFormatted(const TCustomRPFormattedData& Doc) {
  return Doc.State.Contains(rpstSkipFormatting) ||
         Doc.GetRootData()->State.Contains(rpstFormattingPart);
}

} // namespace

void TCustomRPFormattedData::PaintBuffered(TRPCanvas& Canvas, const TRect& R) {
  if (R.IsEmpty() || IsBeingFormatted(*this) || !GetRPStyle())
    return;
  TRPGraphicInterface* GI = nullptr;
  std::unique_ptr<TRPCanvas> Buffer;
  const TRect BufferRect = Bounds(0, 0, R.Width(), R.Height());
  const std::optional<std::string> Error = CatchPaintError([&] {
    GI = &GetRPStyle()->GetGraphicInterface();
    Buffer = GI->CreateCompatibleCanvas(Canvas, R.Width(), R.Height());
    DrawBackground(*Buffer, BufferRect);
    PaintTo(*Buffer, R, false, false, 0, 0, 0, -1);
  });
  if (!GI)
    return;
  // Nothing may leave a paint: what fails here cannot be shown either.
  CatchPaintError([&] {
    if (Buffer)
      GI->CopyRect(Canvas, R, *Buffer, BufferRect);
    if (Error)
      ShowPaintError(Canvas, *Error, *GI);
  });
}

void TCustomRPFormattedData::DrawBackground(TRPCanvas& Canvas, const TRect& R) {
  const TRPStyle& Sheet = *GetRPStyle();
  const TRPColor Color = GetColor() != clNone ? GetColor() : Sheet.Color;
  if (Color != clNone)
    Sheet.GetGraphicInterface().FillColorRect(Canvas, R, Color);
}

void TCustomRPFormattedData::PaintTo(TRPCanvas& Canvas, const TRect& ClipRect, bool StrictTop,
                                     bool StrictBottom, int32_t ExtraXOffs, int32_t ExtraYOffs,
                                     int MinDItemNo, int MaxDItemNo) {
  TRPDocumentPainter(*this, Canvas, ClipRect, ExtraXOffs, ExtraYOffs)
      .Paint(StrictTop, StrictBottom, MinDItemNo, MaxDItemNo);
}
