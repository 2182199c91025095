// Selecting with the mouse, with the fake metrics: a character 10 px wide, lines 20 px
// high, margins 5, so character k of a line spans x = 5 + 10k .. 15 + 10k.
#include <gtest/gtest.h>

#include <string>

#include "support/FormattedDocument.h"

namespace {

class Selecting : public TFormattingTest {
protected:
  Selecting() {
    Doc.Options = {rpoAllowSelection, rpoDblClickSelectsWord, rpoRClickDeselects};
    Doc.Width = 400;
  }
  // x of the caret before character k of a line that starts at the margin.
  static int32_t Caret(int k) { return 5 + 10 * k; }
  static int32_t LineY(int Line) { return 15 + 20 * (Line - 1); }

  void Press(int32_t X, int32_t Y, TRPShiftState Shift = {}) {
    Shift.Include(rpshLeftButton);
    Doc.MouseDown(rpmbLeft, Shift, X, Y);
  }
  void DragTo(int32_t X, int32_t Y) { Doc.MouseMove({rpshLeftButton}, X, Y); }
  void Release(int32_t X, int32_t Y) { Doc.MouseUp(rpmbLeft, {}, X, Y); }
  void Drag(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Press(X1, Y1);
    DragTo(X2, Y2);
    Release(X2, Y2);
  }

  std::u16string Selected() const { return SelectedText(Doc); }
};

TEST_F(Selecting, HitTestingFindsTheNearestCaret) {
  Format();
  EXPECT_EQ(Doc.FindDrawItemForSel(10, 10), (TRPDrawItemPos{-1, -1}));
  Press(10, 10);
  EXPECT_FALSE(Doc.State.Contains(rpstMakingSelection));

  Doc.AddNL(u"the selection", 0, 0);
  Doc.AddNL(u"next line", 0, 0);
  Format();
  const struct {
    int32_t X, Y;
    TRPDrawItemPos Expected;
  } Cases[] = {
      {0, LineY(1), {0, 1}},    // left of the line: its start
      {399, LineY(1), {0, 14}}, // right of it: its end
      {Caret(4) + 4, LineY(1), {0, 5}},
      {Caret(4) + 5, LineY(1), {0, 5}}, // half way: the earlier caret
      {Caret(4) + 6, LineY(1), {0, 6}},
      {Caret(2), -30, {0, 3}},     // above the first line: the first line
      {Caret(1) + 2, 500, {1, 2}}, // below the last: the last
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(Doc.FindDrawItemForSel(Case.X, Case.Y), Case.Expected) << Case.X << "," << Case.Y;
  // Strictly, only a draw item's box counts.
  EXPECT_EQ(Doc.FindDrawItemForSel(399, LineY(1), true).No, -1);
}

TEST_F(Selecting, AListMarkerGivesTheStartOfWhatFollowsIt) {
  TRPListLevel& Level = Sheet.ListStyles.Add().Levels.Add();
  Level.ListType = rplstBullet;
  Level.LeftIndent = 20;
  Level.FormatString = u"*";
  Doc.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
  Doc.AddNL(u"item", 0, -1);
  Format();
  ASSERT_EQ(Doc.GetItem(Doc.DrawItems[0].ItemNo)->StyleNo, rpsListMarker);
  EXPECT_EQ(Doc.FindDrawItemForSel(Doc.DrawItems[0].Left + 1, LineY(1)), (TRPDrawItemPos{1, 1}));
}

// Dragging out of the word pressed in takes it whole, then whole words; back inside a
// word the positions are exact.
TEST_F(Selecting, DraggingSnapsToWords) {
  Doc.AddNL(u"the selection next", 0, 0);
  Format();
  const int32_t Y = LineY(1);
  Press(Caret(8) + 2, Y);   // inside "selection", before its "c"
  DragTo(Caret(15) + 3, Y); // inside "next"
  EXPECT_EQ(Selected(), u"selection next");
  DragTo(Caret(11) + 1, Y); // back inside "selection"
  EXPECT_EQ(Selected(), u"cti");
  DragTo(Caret(16), Y); // out again, into "next": whole words once more
  EXPECT_EQ(Selected(), u"ction next");
  DragTo(Caret(15), Y); // back towards the anchor inside the end word: exact
  EXPECT_EQ(Selected(), u"ction n");
  Release(Caret(15), Y);
  EXPECT_FALSE(Doc.State.Contains(rpstMakingSelection));

  // Backwards out of the word: it is taken whole from its end.
  Drag(Caret(8) + 2, Y, Caret(1), Y);
  EXPECT_EQ(Selected(), u"the selection");
  // A press on a space starts free: the anchor does not move, the end still snaps.
  Drag(Caret(3) + 2, Y, Caret(15) + 3, Y);
  EXPECT_EQ(Selected(), u" selection next");
  // Shift extends from the anchor, to the exact place inside the word pressed in, and
  // dragged out of it by words, never moving the anchor.
  Press(Caret(1), Y, {rpshShift});
  Release(Caret(1), Y);
  EXPECT_EQ(Selected(), u"he");
  Press(Caret(16), Y, {rpshShift});
  DragTo(Caret(10), Y);
  EXPECT_EQ(Selected(), u" selection");
  DragTo(Caret(1), Y);
  EXPECT_EQ(Selected(), u"the");
  Release(Caret(1), Y);
  // Backwards from a space: the end takes the word before it whole.
  Drag(Caret(3) + 2, Y, Caret(1) + 2, Y);
  EXPECT_EQ(Selected(), u"the");
}

// A tall picture on a line: its upper part belongs to that line, not to the one above.
TEST_F(Selecting, ATallItemBelongsToItsLine) {
  Doc.AddNL(u"first", 0, 0);
  Doc.AddNL(u"xy", 0, 0);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 30, 60));
  Format();
  const TRPDrawLineInfo& Box = Doc.DrawItems[2];
  ASSERT_LT(Box.Top, Doc.DrawItems[1].Top);
  EXPECT_EQ(Doc.FindDrawItemForSel(Box.Left + 20, Box.Top + 2), (TRPDrawItemPos{2, 1}));
  Doc.DblClick(Box.Left + 20, Box.Top + 2);
  EXPECT_EQ(Selected(), u"[]");
}

TEST_F(Selecting, CharacterAndParagraphModes) {
  Doc.AddNL(u"the selection next", 0, 0);
  Doc.AddNL(u"second", 0, 0);
  Format();
  Sheet.SelectionMode = rpsmChar;
  Drag(Caret(8) + 2, LineY(1), Caret(15) + 3, LineY(1));
  EXPECT_EQ(Selected(), u"ction n");
  Sheet.SelectionMode = rpsmParagraph;
  Drag(Caret(8) + 2, LineY(1), Caret(15) + 3, LineY(1));
  EXPECT_EQ(Selected(), u"ction n"); // one paragraph: as it is
  Drag(Caret(8) + 2, LineY(1), Caret(2), LineY(2));
  EXPECT_EQ(Selected(), u"the selection next|second");
}

// A press left of the margin selects its screen line; dragging adds whole lines.
TEST_F(Selecting, TheMarginSelectsLines) {
  Doc.Width = 110; // ten characters a line
  Doc.AddNL(u"aaaa bbbb cccc dddd eeee", 0, 0);
  Format();
  ASSERT_EQ(Doc.DrawItems.Count(), 3);
  EXPECT_TRUE(Doc.IsInLineSelectMargin(2));
  EXPECT_FALSE(Doc.IsInLineSelectMargin(5));
  Press(2, LineY(2));
  EXPECT_TRUE(Doc.State.Contains(rpstLineSelection));
  EXPECT_EQ(Selected(), u"cccc dddd");
  DragTo(50, LineY(3));
  EXPECT_EQ(Selected(), u"cccc dddd|eeee");
  DragTo(50, LineY(1));
  EXPECT_EQ(Selected(), u"aaaa bbbb|cccc dddd");
  Release(50, LineY(1));
  EXPECT_FALSE(Doc.State.Contains(rpstLineSelection));
  // Dragging below the client area keeps to its last visible line.
  Doc.ClientHeight = 30;
  Drag(2, LineY(1), 50, 1000);
  EXPECT_EQ(Selected(), u"aaaa bbbb|cccc dddd");
}

TEST_F(Selecting, DoubleAndTripleClicks) {
  Doc.AddNL(u"the selection next", 0, 0);
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 30, 20));
  Doc.AddNL(u"second paragraph", 0, 0);
  Format();
  const int32_t Y = LineY(1);
  // On a space: nothing.
  Doc.DblClick(Caret(3) + 5, Y);
  EXPECT_EQ(Selected(), u"");
  // On the right half of a word's last letter: that word.
  Doc.DblClick(Caret(12) + 8, Y);
  EXPECT_EQ(Selected(), u"selection");
  Doc.TripleClick();
  EXPECT_EQ(Selected(), u"the selection next[]");
  // On a picture: the picture.
  const TRPDrawLineInfo& Box = Doc.DrawItems[1];
  Doc.DblClick(Box.Left + 25, Box.Top + 5);
  EXPECT_EQ(Selected(), u"[]");
  // Past the end of a line there is no word: the selection stays.
  Doc.DblClick(390, LineY(2));
  EXPECT_EQ(Selected(), u"[]");
}

TEST_F(Selecting, ClicksInsideAndOutsideTheSelection) {
  Doc.AddNL(u"the selection next", 0, 0);
  Format();
  const int32_t Y = LineY(1);
  Doc.DblClick(Caret(6), Y);
  ASSERT_EQ(Selected(), u"selection");
  // A right click inside keeps it, outside removes it.
  Doc.MouseUp(rpmbRight, {}, Caret(7), Y);
  EXPECT_EQ(Selected(), u"selection");
  Doc.MouseUp(rpmbRight, {}, Caret(16), Y);
  EXPECT_EQ(Selected(), u"");
  // A left press inside waits: released where it was, the selection collapses there ...
  Doc.DblClick(Caret(6), Y);
  Press(Caret(7), Y);
  EXPECT_TRUE(Doc.State.Contains(rpstStartingDragDrop));
  EXPECT_EQ(Selected(), u"selection");
  Release(Caret(7), Y);
  EXPECT_EQ(Selected(), u"");
  // ... moved on, it starts a new selection from the press.
  Doc.DblClick(Caret(6), Y);
  Press(Caret(10), Y);
  DragTo(Caret(16) + 2, Y);
  EXPECT_EQ(Selected(), u"selection next");
  // A click on an object selects nothing (a double click does).
  Doc.AddItemR({}, std::make_unique<TBoxItem>(&Doc, 30, 20));
  Format();
  const TRPDrawLineInfo& Box = Doc.DrawItems[1];
  Drag(Box.Left + 3, Box.Top + 3, Box.Left + 3, Box.Top + 3);
  EXPECT_EQ(Selected(), u"");
}

TEST_F(Selecting, SelectAllAndFormattingAnew) {
  Doc.AddNL(u"one", 0, 0);
  Doc.AddNL(u"two", 0, 0);
  Format();
  Doc.SelectAll();
  EXPECT_EQ(Selected(), u"one|two");
  int StartNo = 0, StartOffs = 0, EndNo = 0, EndOffs = 0;
  Doc.GetSelBounds(StartNo, StartOffs, EndNo, EndOffs);
  EXPECT_EQ(std::vector<int>({StartNo, StartOffs, EndNo, EndOffs}), std::vector<int>({0, 1, 1, 4}));
  // New draw items: the selection is gone.
  Format();
  EXPECT_EQ(Selected(), u"");
  Doc.GetSelBounds(StartNo, StartOffs, EndNo, EndOffs);
  EXPECT_EQ(StartNo, -1);
}

} // namespace
