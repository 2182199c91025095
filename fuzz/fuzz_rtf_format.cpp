// Feeds arbitrary bytes from the file to the pixels: the load of fuzz_rtf_load, then the
// pane's formatting at a width taken from the input and one paint of the whole document
// through the pane's buffered paint, all with the fixed fake metrics and a canvas that
// records what is drawn.
//
// The width comes from the input's last two bytes (big-endian, modulo 2001): 0 to 2000
// pixels, so that empty and very narrow panes, where nothing fits, come up as often as
// wide ones. The client area is the guide pane's height, so a long document brings in the
// vertical scroll bar, whose width the client area loses, and the second pass that causes.
//
// After formatting, the draw items must be what the layout tests hold them to: in item
// order, the pieces of an item contiguous and apart only by spaces, lines from top to
// bottom and inside the document's height (with the room their spacing gives them),
// pieces of a line from left to right, no negative sizes, and every visible item with its
// first draw item. Painting never throws (it shows a failure as text on the canvas), so
// the canvas must show no text of its own, and every off-screen buffer must give back
// every drawing state it saved.
//
// Then the document is selected with the mouse as a reader would: a drag between two
// points taken from the input (and on below the pane, where it scrolls), one with Shift, a
// double and a triple click, a right click, and everything; every selection, in table cells
// too, must lie inside the draw items, its text can be written (everything selected gives at
// least half the document's text: hidden text aside, the same) and put in the engine's own
// format, everything written as RTF reads back completely, and painting it shows no failure
// either.
//
// FuzzLoad.h says which bits of the first two bytes choose which settings.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzLoad.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/table/RPTable.h"
#include "richtext/view/RPRPFWriter.h"
#include "richtext/view/RPRTFWriter.h"
#include "richtext/view/RPTextWriter.h"
#include "support/FakeCanvas.h"

namespace {

using FuzzLoad::Fail;

constexpr int32_t kMaxWidth = 2000;

int32_t WidthFromInput(const uint8_t* Data, size_t Size) {
  const uint32_t Last = Data[Size - 1];
  const uint32_t BeforeLast = Size > 1 ? Data[Size - 2] : 0;
  return static_cast<int32_t>(((BeforeLast << 8) | Last) % (kMaxWidth + 1));
}

// An off-screen buffer that tells, when it goes, whether its saved states were restored.
class TBufferCanvas : public TFakeCanvas {
public:
  TBufferCanvas(int32_t Width, int32_t Height, int32_t PpiX, int32_t PpiY, int& Unbalanced)
      : TFakeCanvas(Width, Height, PpiX, PpiY), FUnbalanced(Unbalanced) {}
  ~TBufferCanvas() override {
    if (SavedStateCount() != 0)
      ++FUnbalanced;
  }

private:
  int& FUnbalanced;
};

class TFuzzGraphicInterface : public TFakeGraphicInterface {
public:
  std::unique_ptr<TRPCanvas> CreateCompatibleCanvas(TRPCanvas& Canvas, int32_t Width,
                                                    int32_t Height) override {
    ++Buffers;
    return std::make_unique<TBufferCanvas>(Width, Height, Canvas.PixelsPerInchX(),
                                           Canvas.PixelsPerInchY(), UnbalancedBuffers);
  }
  int Buffers = 0;
  int UnbalancedBuffers = 0;
};

void CheckDrawItems(TCustomRPFormattedData& Doc) {
  const TRPDrawLines& D = Doc.DrawItems;
  const int Items = Doc.GetItemCount();
  if (Doc.LastItemFormatted != Items - 1)
    Fail("formatting stopped after item %d of %d", Doc.LastItemFormatted, Items);
  if (D.Count() > 0 && !D[0].FromNewLine)
    Fail("the first draw item does not start a line");
  if (Doc.DocumentWidth < 0 || Doc.TextWidth < 0)
    Fail("document width %d, text width %d", Doc.DocumentWidth, Doc.TextWidth);
  int32_t LastLineTop = INT32_MIN;
  for (int i = 0; i < D.Count(); ++i) {
    const TRPDrawLineInfo& Piece = D[i];
    if (Piece.ItemNo < 0 || Piece.ItemNo >= Items)
      Fail("draw item %d belongs to item %d of %d", i, Piece.ItemNo, Items);
    if (Piece.Width < 0 || Piece.Height < 0 || Piece.Length < 0)
      Fail("draw item %d is %d x %d with %d characters", i, Piece.Width, Piece.Height,
           Piece.Length);
    // A line is as high as its spacing makes it: below 100 % the glyphs of its last line
    // may reach past the document's end, the line itself may not.
    const int64_t LineTop = int64_t{Piece.Top} - Piece.GetExtraSpaceAbove();
    const int64_t LineBottom = int64_t{Piece.Top} + Piece.Height + Piece.GetExtraSpaceBelow();
    if (LineTop < 0 || LineBottom > Doc.DocumentHeight)
      Fail("draw item %d (lines %lld..%lld) is outside the document's height %d", i,
           static_cast<long long>(LineTop), static_cast<long long>(LineBottom), Doc.DocumentHeight);
    if (Piece.FromNewLine) {
      // Lines are found by a binary search on their tops.
      if (Piece.Top < LastLineTop)
        Fail("the line of draw item %d starts above the line before it", i);
      LastLineTop = Piece.Top;
    }
    const TCustomRPItemInfo& Item = *Doc.GetItem(Piece.ItemNo);
    if (Item.IsTextItem() &&
        (Piece.Offs < 1 || int64_t{Piece.Offs} - 1 + Piece.Length > Item.ItemLength()))
      Fail("draw item %d takes characters %d..+%d of an item of %d", i, Piece.Offs, Piece.Length,
           Item.ItemLength());
    if (i == 0)
      continue;
    const TRPDrawLineInfo& Prev = D[i - 1];
    if (Piece.ItemNo < Prev.ItemNo)
      Fail("draw item %d goes back to an earlier item", i);
    if (!Piece.FromNewLine && Piece.Left < Prev.Left)
      Fail("draw item %d is left of the piece before it on its line", i);
    if (Piece.ItemNo != Prev.ItemNo)
      continue;
    if (Piece.Offs < Prev.Offs + Prev.Length)
      Fail("draw item %d overlaps the piece of its item before it", i);
    const TRPTextView Text = Item.TextView();
    for (int32_t k = Prev.Offs + Prev.Length; k < Piece.Offs; ++k)
      if (Text[k - 1] != u' ')
        Fail("draw item %d leaves out character %d, which is no space", i, k);
  }
  for (int ItemNo = 0; ItemNo < Items; ++ItemNo) {
    const int32_t First = Doc.GetItem(ItemNo)->DrawItemNo;
    if (First != Doc.FindDrawItemByItem(ItemNo))
      Fail("item %d names draw item %d as its first", ItemNo, First);
    if (First < 0 && !Doc.IsHidden(ItemNo))
      Fail("the visible item %d has no draw item", ItemNo);
  }
}

void Format(FuzzLoad::TFuzzPane& P) {
  P.Pane.Format();
  CheckDrawItems(P.Pane.RPData());
  if (P.Host.Canvas.SavedStateCount() != 0)
    Fail("formatting left %d saved states on the measuring canvas",
         P.Host.Canvas.SavedStateCount());
}

// The whole document at once, from the top, as a reader scrolling through it would see it.
void Paint(FuzzLoad::TFuzzPane& P, TFuzzGraphicInterface& GI) {
  P.Pane.ScrollTo(0);
  const TCustomRPFormattedData& Doc = P.Pane.RPData();
  TFakeCanvas Screen(P.Host.Width, P.Host.Height);
  const TRect All{0, 0, P.Host.ClientWidth(), Doc.DocumentHeight};
  P.Pane.Paint(Screen, All);
  for (const std::string& Line : Screen.Log)
    if (Line.starts_with("TextOut"))
      Fail("painting failed: %s", Line.c_str());
  if (!All.IsEmpty() && GI.Buffers == 0)
    Fail("the pane painted %d x %d without a buffer", All.Width(), All.Height());
  if (GI.UnbalancedBuffers != 0)
    Fail("painting left saved states on %d buffers", GI.UnbalancedBuffers);
}

// The selection of Doc and of every table cell in it, at any depth.
void CheckSelection(const TCustomRPFormattedData& Doc, const char* After) {
  TRPDrawItemPos Start, End;
  Doc.GetSelectionBounds(Start, End, true);
  for (const TRPDrawItemPos& Pos : {Start, End}) {
    if (Pos.No < 0)
      continue;
    if (Pos.No >= Doc.DrawItems.Count())
      Fail("after %s the selection is at draw item %d of %d", After, Pos.No, Doc.DrawItems.Count());
    if (Pos.Offs < Doc.GetOffsBeforeDrawItem(Pos.No) || Pos.Offs > Doc.GetOffsAfterDrawItem(Pos.No))
      Fail("after %s the selection is at offset %d of draw item %d", After, Pos.Offs, Pos.No);
  }
  for (int i = 0; i < Doc.GetItemCount(); ++i)
    if (const auto* Table = dynamic_cast<const TRPTableItemInfo*>(Doc.GetItem(i)))
      Table->ForEachCell(
          [After](const TRPTableCellData& Cell, int, int) { CheckSelection(Cell, After); });
}

void Select(FuzzLoad::TFuzzPane& P, TFuzzGraphicInterface& GI, const uint8_t* Data, size_t Size) {
  TCustomRichPane& Pane = P.Pane;
  const TCustomRPFormattedData& Doc = Pane.RPData();
  const int32_t W = P.Host.ClientWidth(), H = P.Host.ClientHeight();
  const auto PointAt = [&](size_t i) {
    return TPoint{static_cast<int32_t>(Data[i % Size] * W / 255),
                  static_cast<int32_t>(Data[(i + 1) % Size] * H / 255)};
  };
  const TPoint A = PointAt(2), B = PointAt(4);
  Pane.MouseDown(rpmbLeft, {rpshLeftButton}, A.X, A.Y);
  Pane.MouseMove({rpshLeftButton}, B.X, B.Y);
  Pane.MouseMove({rpshLeftButton}, B.X, H + 40);
  Pane.AutoScrollTick();
  Pane.MouseMove({rpshLeftButton}, B.X, H + 40);
  Pane.MouseUp(rpmbLeft, {}, B.X, B.Y);
  CheckSelection(Doc, "a drag");
  Pane.MouseDown(rpmbLeft, {rpshLeftButton, rpshShift}, A.X, B.Y);
  Pane.MouseMove({rpshLeftButton, rpshShift}, B.X, A.Y);
  Pane.MouseUp(rpmbLeft, {rpshShift}, B.X, A.Y);
  CheckSelection(Doc, "a shift drag");
  Pane.DblClick(B.X, B.Y);
  CheckSelection(Doc, "a double click");
  Pane.TripleClick();
  CheckSelection(Doc, "a triple click");
  RP_SelectionText(Pane.RPData());
  RP_SelectionRPF(Pane.RPData());
  Pane.MouseUp(rpmbRight, {}, A.X, A.Y);
  CheckSelection(Doc, "a right click");
  Pane.SelectAll();
  CheckSelection(Doc, "selecting all");
  // Everything as RTF, read back into a pane of its own: it must read completely.
  const std::string Rtf = RP_SelectionRTF(Pane.RPData());
  FuzzLoad::TFuzzPane Copy(P.Options, &GI);
  if (!Rtf.empty() && Copy.Pane.RPData().LoadRTFFromStream(Rtf) != rtf_ec_OK)
    Fail("the RTF written of everything does not read back");
  if (RP_SelectionText(Pane.RPData()).size() < RP_DocumentText(Pane.RPData()).size() / 2)
    Fail("the text of everything selected is less than half the document's");
  Paint(P, GI);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0)
    return 0;
  const std::string_view Rtf(reinterpret_cast<const char*>(Data), Size);
  const FuzzLoad::TLoadOptions Options = FuzzLoad::ReadOptions(Data, Size);

  TFuzzGraphicInterface GI;
  FuzzLoad::TFuzzPane P(Options, &GI);
  P.Host.Width = WidthFromInput(Data, Size);
  FuzzLoad::Load(P, Rtf);
  if (Options.LoadTwice) {
    // Appending to a laid-out document leaves draw items behind that the next pass
    // must replace.
    if (Options.FormatBetweenLoads)
      Format(P);
    FuzzLoad::Load(P, Rtf);
  }
  Format(P);
  Paint(P, GI);
  Select(P, GI, Data, Size);
  return 0;
}
