// Painting formatted documents, with the fake metrics (every character 10 px wide at
// 12 pt, ascent 16, descent 4, margins 5) on a recording canvas. A page width of 110
// leaves a text width of 100; the first line's top is 5 and lines are 20 px high.
//
// Colours in the logs are raw values: #FF000005 the window colour (the background),
// #FF000008 the window text colour, #FF00000D and #FF00000E the selection's.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "richtext/model/RPParaInfo.h"
#include "support/FormattedDocument.h"

namespace {

using TLog = std::vector<std::string>;

constexpr TRPColor Yellow = 0x00FFFF;
constexpr TRPColor Aqua = 0xFFFF00;

// A box that records where it is asked to paint itself.
class TPaintedBox : public TRPSimpleRectItemInfo {
public:
  TPaintedBox(TCustomRPData* RPData, TLog& Calls, bool FullWidth = false)
      : TRPSimpleRectItemInfo(RPData), FCalls(Calls), FFullWidth(FullWidth) {
    StyleNo = -100;
    ParaNo = -1;
  }
  bool GetBoolValue(TRPItemBoolProperty Prop) const override {
    return (Prop == rpbpFullWidth && FFullWidth) || TRPSimpleRectItemInfo::GetBoolValue(Prop);
  }
  void Paint(int32_t X, int32_t Y, int32_t W, int32_t H, TRPCanvas&, TRPItemDrawState State,
             TCustomRPData&) override {
    Record("Paint", X, Y, W, H, State);
  }
  void PaintFullWidth(int32_t X, int32_t Y, int32_t W, int32_t H, TRPCanvas&,
                      TRPItemDrawState State, TCustomRPData&) override {
    Record("PaintFullWidth", X, Y, W, H, State);
  }

private:
  void Record(const char* What, int32_t X, int32_t Y, int32_t W, int32_t H,
              TRPItemDrawState State) {
    FCalls.push_back(std::string(What) + " " + TFakeCanvas::RectStr(Bounds(X, Y, W, H)) +
                     (State.Contains(rpidsSelected) ? " selected" : "") +
                     (State.Contains(rpidsShowSpecialCharacters) ? " marked" : ""));
  }
  TLog& FCalls;
  bool FFullWidth;
};

// Keeps what was drawn into the off-screen buffer when it is copied to the control.
class TBufferKeepingInterface : public TFakeGraphicInterface {
public:
  std::unique_ptr<TRPCanvas> CreateCompatibleCanvas(TRPCanvas& Canvas, int32_t Width,
                                                    int32_t Height) override {
    ++BuffersMade;
    return TFakeGraphicInterface::CreateCompatibleCanvas(Canvas, Width, Height);
  }
  void CopyRect(TRPCanvas& Canvas, const TRect& Dest, const TRPCanvas& Source,
                const TRect& SourceRect) override {
    BufferLog = static_cast<const TFakeCanvas&>(Source).Log;
    TFakeGraphicInterface::CopyRect(Canvas, Dest, Source, SourceRect);
  }
  int BuffersMade = 0;
  TLog BufferLog;
};

class Painting : public ::testing::Test {
protected:
  Painting() : Doc(Sheet, Canvas) {
    Sheet.GraphicInterface = &GI;
    Sheet.TextStyles[0].SizeDouble = 24; // the fake's base metrics
    Doc.DocumentWidth = 100;             // as formatting at the page width gives
  }

  int AddTextStyle(TRPColor BackColor) {
    TFontInfo& Style = Sheet.TextStyles.Add();
    Style.Assign(Sheet.TextStyles[0]);
    Style.BackColor = BackColor;
    return Sheet.TextStyles.Count() - 1;
  }
  TParaInfo& AddParaStyle() {
    Sheet.ParaStyles.Add();
    return Sheet.ParaStyles[Sheet.ParaStyles.Count() - 1];
  }
  int LastParaStyle() const { return Sheet.ParaStyles.Count() - 1; }
  void AddBox(int ParaNo, bool FullWidth = false) {
    auto Box = std::make_unique<TPaintedBox>(&Doc, ItemCalls, FullWidth);
    Box->ParaNo = ParaNo;
    Doc.AddItem(u"", std::move(Box));
  }
  // A hand-made draw item that can hold justification and line spacing.
  TRPDrawLineInfo& Piece(int ItemNo, int Offs, int Length, int32_t Left, int32_t Top, int32_t Width,
                         int32_t Height, bool NewLine) {
    auto D = std::make_unique<TRPComplexLineHeightDrawLineInfo>(Left, Top, Width, Height, ItemNo,
                                                                NewLine);
    D->Offs = Offs;
    D->Length = Length;
    const int Count = Doc.DrawItems.Count();
    if (Count == 0 || Doc.DrawItems[Count - 1].ItemNo != ItemNo)
      Doc.GetItem(ItemNo)->DrawItemNo = Count;
    Doc.DrawItems.Add(std::move(D));
    return Doc.DrawItems[Doc.DrawItems.Count() - 1];
  }
  void Select(int StartNo, int StartOffs, int EndNo, int EndOffs) {
    Doc.Sel = {StartNo, StartOffs, EndNo, EndOffs};
  }
  // Paints the page's first 50 pixels straight onto the canvas.
  TLog Paint(const TRect& ClipRect = {0, 0, 110, 50}) {
    Canvas.ClearLog();
    Doc.PaintTo(Canvas, ClipRect, false, false, 0, 0, 0, -1);
    return Canvas.Log;
  }

  TBufferKeepingInterface GI;
  TRPStyle Sheet;
  TFakeCanvas Canvas;
  TFormatDocument Doc;
  TLog ItemCalls;
};

// ---------------------------------------------------------------- buffered painting

TEST_F(Painting, AnEmptyDocumentPaintsOnlyTheBackground) {
  Doc.Format();
  Doc.PaintBuffered(Canvas, {10, 20, 60, 50});
  EXPECT_EQ(GI.BufferLog, (TLog{"FillRect 0,0,50,30 #FF000005"}));
  EXPECT_EQ(Canvas.Log, (TLog{"CopyRect 10,20,60,50 from 50x30 0,0,50,30"}));

  // The control's own colour comes before the style sheet's.
  Doc.Color = Yellow;
  Doc.PaintBuffered(Canvas, {10, 20, 60, 50});
  EXPECT_EQ(GI.BufferLog, (TLog{"FillRect 0,0,50,30 #00FFFF"}));
}

TEST_F(Painting, TheBufferHoldsTheInvalidRectangleAtTheScrollPosition) {
  Doc.AddNL(u"ab", 0, 0);
  Doc.AddNL(u"cd", 0, 0);
  Doc.Format();
  Doc.VOffs = 10;
  Doc.PaintBuffered(Canvas, {0, 20, 110, 40});
  // The rectangle shows document lines 30..50: "cd" (top 25) begins 5 pixels above it.
  EXPECT_EQ(GI.BufferLog, (TLog{"FillRect 0,0,110,20 #FF000005", "Brush bsClear",
                                "TextOut 5,-25 \"ab\"", "TextOut 5,-5 \"cd\""}));
  EXPECT_EQ(Canvas.Log, (TLog{"CopyRect 0,20,110,40 from 110x20 0,0,110,20"}));
}

TEST_F(Painting, NothingIsPaintedForAnEmptyRectangleOrWhileFormatting) {
  Doc.AddNL(u"ab", 0, 0);
  Doc.Format();
  // An empty rectangle would need an empty buffer.
  Doc.PaintBuffered(Canvas, {10, 20, 10, 50});
  Doc.PaintBuffered(Canvas, {10, 20, 60, 20});
  Doc.State.Include(rpstSkipFormatting);
  Doc.PaintBuffered(Canvas, {0, 0, 110, 50});
  Doc.State.Exclude(rpstSkipFormatting);
  Doc.State.Include(rpstFormattingPart);
  Doc.PaintBuffered(Canvas, {0, 0, 110, 50});
  EXPECT_EQ(GI.BuffersMade, 0);
  EXPECT_TRUE(Canvas.Log.empty()) << Canvas.LogText();

  Doc.State.Exclude(rpstFormattingPart);
  Doc.PaintBuffered(Canvas, {0, 0, 110, 50});
  EXPECT_EQ(GI.BuffersMade, 1);
}

TEST_F(Painting, AFailureIsShownOverWhatWasDrawnAndNeverEscapes) {
  Doc.AddNL(u"ab", 0, 0);
  Doc.AddNL(u"cd", 0, 0);
  Doc.Format();
  Sheet.OnDrawStyleText = [](TRPStyle& Sender, TRPTextView, TRPCanvas&, int, int32_t, int32_t,
                             int32_t, int32_t, int32_t, TRPTextDrawState, bool&) {
    if (Sender.ItemNo == 1)
      throw std::runtime_error("no font");
  };
  EXPECT_NO_THROW(Doc.PaintBuffered(Canvas, {0, 0, 110, 50}));
  // The buffer is copied as far as it was drawn, the message written over it.
  EXPECT_EQ(GI.BufferLog,
            (TLog{"FillRect 0,0,110,50 #FF000005", "Brush bsClear", "TextOut 5,5 \"ab\""}));
  EXPECT_EQ(Canvas.Log, (TLog{"CopyRect 0,0,110,50 from 110x50 0,0,110,50",
                              "Font \"Arial\" -13 #0000FF", "TextOut 0,0 \"Error:no font\""}));

  Sheet.OnDrawStyleText = [](TRPStyle&, TRPTextView, TRPCanvas&, int, int32_t, int32_t, int32_t,
                             int32_t, int32_t, TRPTextDrawState, bool&) { throw 42; };
  Canvas.ClearLog();
  EXPECT_NO_THROW(Doc.PaintBuffered(Canvas, {0, 0, 110, 50}));
  EXPECT_EQ(Canvas.Log.back(), "TextOut 0,0 \"Error:unknown error\"");
}

TEST_F(Painting, AFailureInTheSelectedPartLeavesTheCanvasStateAsItWas) {
  Doc.AddNL(u"abcdefgh", 0, 0);
  Doc.Format();
  Select(0, 3, 0, 7);
  Sheet.OnDrawStyleText = [](TRPStyle&, TRPTextView, TRPCanvas&, int, int32_t, int32_t, int32_t,
                             int32_t, int32_t, TRPTextDrawState DrawState, bool&) {
    if (DrawState.Contains(rptsSelected))
      throw std::runtime_error("no font");
  };
  EXPECT_THROW(Paint(), std::runtime_error);
  EXPECT_EQ(Canvas.SavedStateCount(), 0);
  EXPECT_EQ(Canvas.Log.back(), "Restore");
}

// ---------------------------------------------------------------- the painted range

TEST_F(Painting, OnlyTheLinesMeetingTheClipRectangleArePainted) {
  for (const char16_t* Text : {u"a", u"b", u"c", u"d", u"e"})
    Doc.AddNL(Text, 0, 0);
  Doc.Format(); // lines at 5, 25, 45, 65, 85
  const auto Texts = [this] {
    TLog Result;
    for (const std::string& Line : Canvas.Log)
      if (Line.starts_with("TextOut"))
        Result.push_back(Line);
    return Result;
  };
  // Document lines 50..70: from one line above the first visible one ("c") to the last
  // one that starts in the rectangle ("d").
  Paint({0, 50, 110, 70});
  EXPECT_EQ(Texts(), (TLog{"TextOut 5,-25 \"b\"", "TextOut 5,-5 \"c\"", "TextOut 5,15 \"d\""}));
  // Without the lines that start above or end below it.
  Canvas.ClearLog();
  Doc.PaintTo(Canvas, {0, 50, 110, 70}, true, false, 0, 0, 0, -1);
  EXPECT_EQ(Texts(), (TLog{"TextOut 5,15 \"d\""}));
  Canvas.ClearLog();
  Doc.PaintTo(Canvas, {0, 50, 110, 70}, false, true, 0, 0, 0, -1);
  EXPECT_EQ(Texts(), (TLog{"TextOut 5,-25 \"b\"", "TextOut 5,-5 \"c\""}));

  // Without a rectangle: the given draw items, shifted by the extra offsets.
  Canvas.ClearLog();
  Doc.PaintTo(Canvas, {}, false, false, 2, 20, 1, 2);
  EXPECT_EQ(Texts(), (TLog{"TextOut 3,5 \"b\"", "TextOut 3,25 \"c\""}));
}

// ---------------------------------------------------------------- backgrounds

TEST_F(Painting, AParagraphBackgroundIsPaintedFromItsRealTop) {
  TParaInfo& Shaded = AddParaStyle();
  Shaded.Background.Color = Yellow;
  const int ShadedNo = LastParaStyle();
  TParaInfo& Next = AddParaStyle();
  Next.Background.Color = Aqua;
  Doc.AddNL(u"aaaa bbbb cccc dddd eeee ffff gggg", 0, ShadedNo);
  Doc.AddNL(u"x", 0, LastParaStyle());
  Doc.Format(); // lines at 5, 25, 45, 65; "x" at 85
  Doc.VOffs = 50;
  const TLog Log = Paint({0, 0, 110, 20});
  // Painting starts at the second line, the background at the paragraph's first; the
  // next paragraph starts below the rectangle.
  ASSERT_GE(Log.size(), 1u);
  EXPECT_EQ(Log[0], "FillRect 5,-45,105,35 #00FFFF");
  for (const std::string& Line : Log)
    EXPECT_EQ(Line.find("#FFFF00"), std::string::npos) << Line;
}

TEST_F(Painting, AParagraphBoxBeginsAtItsLeftmostLineAndCarriesTheBorder) {
  TParaInfo& Para = AddParaStyle();
  Para.LeftIndent = 20;
  Para.FirstIndent = -10;
  Para.RightIndent = 5;
  Para.Background.Color = Yellow;
  Para.Border.Style = rpbSingle;
  Para.Border.Color = clRed;
  Doc.AddNL(u"ab", 0, LastParaStyle());
  Piece(0, 1, 2, 15, 5, 20, 20, true);
  const TLog Log = Paint();
  // Left margin 5 + left indent 20 - 10; right: text area 105 less the right indent.
  ASSERT_GE(Log.size(), 5u);
  EXPECT_EQ(TLog(Log.begin(), Log.begin() + 5),
            (TLog{"FillRect 15,5,100,25 #00FFFF", "FillRect 14,4,101,5 #0000FF",
                  "FillRect 14,25,101,26 #0000FF", "FillRect 100,4,101,26 #0000FF",
                  "FillRect 14,4,15,26 #0000FF"}));

  // A draw item sticking out widens the box.
  Doc.DrawItems[0].Width = 120;
  EXPECT_EQ(Paint()[0], "FillRect 15,5,135,25 #00FFFF");

  // A first line hanging beyond the margin starts at the margin, and so does the box.
  Para.FirstIndent = -30;
  EXPECT_EQ(Paint()[0], "FillRect 5,5,135,25 #00FFFF");
}

TEST_F(Painting, TextBackgroundsOfNeighbouringPiecesOfOneStyleAreJoined) {
  const int YellowStyle = AddTextStyle(Yellow);
  const int AquaStyle = AddTextStyle(Aqua);
  Doc.AddNL(u"ab", YellowStyle, 0);
  Doc.AddNL(u"cd", YellowStyle, -1);
  Doc.AddNL(u"ef", AquaStyle, -1);
  Doc.AddNL(u"gh", YellowStyle, 0);
  Doc.Format(); // "abcdef" on the first line, "gh" on the second
  const TLog Log = Paint();
  EXPECT_EQ(TLog(Log.begin(), Log.begin() + 3),
            (TLog{"FillRect 5,5,45,25 #00FFFF", "FillRect 45,5,65,25 #FFFF00",
                  "FillRect 5,25,25,45 #00FFFF"}));
  // The text goes over them with a clear brush.
  EXPECT_EQ(TLog(Log.begin() + 3, Log.end()),
            (TLog{"Brush bsClear", "TextOut 5,5 \"ab\"", "TextOut 25,5 \"cd\"",
                  "TextOut 45,5 \"ef\"", "TextOut 5,25 \"gh\""}));

  // Simple backgrounds come with the text itself.
  Sheet.TextBackgroundKind = rptbkSimple;
  EXPECT_EQ(Paint(), (TLog{"Brush #00FFFF bsSolid", "TextOut 5,5 \"ab\"", "TextOut 25,5 \"cd\"",
                           "Brush #FFFF00 bsSolid", "TextOut 45,5 \"ef\"", "Brush #00FFFF bsSolid",
                           "TextOut 5,25 \"gh\""}));
}

// ---------------------------------------------------------------- draw items

TEST_F(Painting, APageBreakIsMarkedAboveItsLine) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"b", 0, 0);
  Doc.GetItem(1)->SetPageBreakBefore(true);
  Doc.Format(); // "b" at 25
  EXPECT_EQ(Paint(), (TLog{"Brush bsClear", "TextOut 5,5 \"a\"", "TextOut 5,25 \"b\""}));
  Doc.Options.Include(rpoShowPageBreaks);
  Doc.HOffs = 3;
  EXPECT_EQ(Paint(), (TLog{"TextOut 2,5 \"a\"", "Pen #FF000010 1 psSolid", "Polyline -3,24 99,24",
                           "Brush #FF000005 bsSolid", "Polygon 99,24 107,32 99,32", "Brush bsClear",
                           "TextOut 2,25 \"b\""}));
  // A strip ending where the line begins still holds its mark.
  const TLog Strip = Paint({0, 0, 110, 25});
  EXPECT_NE(std::find(Strip.begin(), Strip.end(), "Polyline -3,24 99,24"), Strip.end());
  EXPECT_EQ(std::find(Strip.begin(), Strip.end(), "TextOut 2,25 \"b\""), Strip.end());
}

// Shown special characters: dots on spaces, a not sign for a soft hyphen inside a line,
// a return arrow where a line break ends a line, a pilcrow at a paragraph's end (none
// after a rule, a paragraph of its own), and non-text items are told.
TEST_F(Painting, SpecialCharactersAreShownWhenAsked) {
  Doc.AddNL(u"a b", 0, 0);
  Doc.AddNL(u"c\u00ADd", 0, -1);
  Doc.GetItem(1)->SetBR(true);
  AddBox(-1);
  Doc.AddNL(u"e", 0, 0);
  AddBox(0, true);
  Doc.Options.Include(rpoShowSpecialCharacters);
  Doc.Format();
  EXPECT_EQ(Paint({0, 0, 110, 100}),
            (TLog{"Brush bsClear", "TextOut 5,5 \"a b\"", "TextOut 15,5 \"\\u00B7\"",
                  "Font \"Symbol\" -16 #FF000008 cs=2", "TextOut 35,5 \"\\u00BF\"",
                  "Font \"Arial\" -16 #FF000008", "TextOut 5,25 \"c\\u00ACd\"",
                  // after the empty box that ends the paragraph, bottom-aligned with it
                  "TextOut 35,22 \"\\u00B6\"", "TextOut 5,45 \"e\"", "TextOut 15,45 \"\\u00B6\""}));
  EXPECT_EQ(ItemCalls, (TLog{"Paint 35,42,35,42 marked", "PaintFullWidth 5,65,105,65 marked"}));

  // Arrows: a return arrow at a paragraph's end, a down arrow at a line break.
  RPParagraphMarks = rppmArrows;
  const TLog Arrows = Paint({0, 0, 110, 40});
  RPParagraphMarks = rppmStandard;
  EXPECT_EQ(Arrows[3], "TextOut 35,5 \"\\u00AF\"");
  EXPECT_EQ(Arrows.back(), "TextOut 35,22 \"\\u00BF\"");
  // The marks leave the canvas as they found it.
  EXPECT_EQ(Canvas.Font.Name, "Arial");
  EXPECT_EQ(Canvas.Font.Charset, RP_DEFAULT_CHARSET);
}

// With ghost spaces, the space a wrap took away is drawn, and marked, at its line's end.
TEST_F(Painting, AGhostSpaceShowsWhereALineWrapped) {
  Doc.AddNL(u"abcdefg hij", 0, 0);
  Doc.Options.Include(rpoShowSpecialCharacters);
  RichPaneSwitches.RichPaneShowGhostSpaces = true;
  Doc.Format();
  const TLog Log = Paint();
  RichPaneSwitches.Reset();
  EXPECT_EQ(Log, (TLog{"Brush bsClear", "TextOut 5,5 \"abcdefg \"", "TextOut 75,5 \"\\u00B7\"",
                       "TextOut 5,25 \"hij\"", "TextOut 35,25 \"\\u00B6\""}));
}

TEST_F(Painting, NonTextItemsPaintThemselvesInTheirBoxes) {
  Doc.AddNL(u"ab", 0, 0);
  AddBox(-1);
  AddBox(0, true);
  Piece(0, 1, 2, 5, 5, 20, 20, true);
  Piece(1, 0, 0, 25, 10, 30, 15, false);
  Piece(2, 0, 0, 5, 25, 100, 11, true);
  Doc.HOffs = 2;
  Paint({0, 10, 110, 60});
  // The full-width item reaches the text area's right edge (105).
  EXPECT_EQ(ItemCalls, (TLog{"Paint 23,0,53,15", "PaintFullWidth 3,15,103,26"}));

  // Offset 1 of the box is after it: selecting from there leaves it out; offset 0 of
  // the full-width item is before it.
  ItemCalls.clear();
  Select(0, 2, 1, 1);
  Paint();
  Select(1, 0, 2, 0);
  Paint();
  Select(1, 1, 2, 1);
  Paint();
  EXPECT_EQ(ItemCalls, (TLog{"Paint 23,10,53,25 selected", "PaintFullWidth 3,25,103,36",
                             "Paint 23,10,53,25 selected", "PaintFullWidth 3,25,103,36",
                             "Paint 23,10,53,25", "PaintFullWidth 3,25,103,36 selected"}));
}

// ---------------------------------------------------------------- selection

TEST_F(Painting, APartlySelectedPieceIsDrawnAgainClippedToTheSelection) {
  Doc.AddNL(u"abcdefgh", 0, 0);
  Doc.Format();
  Select(0, 3, 0, 7); // characters 3..6
  EXPECT_EQ(Paint(), (TLog{"Brush bsClear", "TextOut 5,5 \"abcdefgh\"", "Save",
                           "IntersectClip 25,5,65,25", "Font \"Arial\" -16 #FF00000E",
                           "Brush #FF00000D bsSolid", "TextOut 5,5 \"abcdefgh\"", "Restore"}));

  // Wholly selected: drawn once, selected; without the focus in the inactive colours.
  Sheet.InactiveSelColor = clGray;
  Doc.Focused = false;
  Select(0, 1, 0, 9);
  EXPECT_EQ(Paint(), (TLog{"Brush #808080 bsSolid", "TextOut 5,5 \"abcdefgh\""}));
  // An empty selection selects nothing.
  Select(0, 3, 0, 3);
  EXPECT_EQ(Paint(),
            (TLog{"Font \"Arial\" -16 #FF000008", "Brush bsClear", "TextOut 5,5 \"abcdefgh\""}));
}

TEST_F(Painting, AJustifiedPieceIsDrawnWithItsSpacesWidened) {
  Doc.AddNL(u"ab cd ef", 0, 0);
  TRPDrawLineInfo& D = Piece(0, 1, 8, 5, 5, 100, 20, true);
  D.SetTextWidth(80);
  D.SetSpaceCount(2);
  EXPECT_EQ(Paint(),
            (TLog{"Brush bsClear", "TextOutDX 5,5 \"ab cd ef\" [10,10,20,10,10,20,10,10]"}));

  // "cd" selected: the clip follows the widened spaces, the glyphs stay.
  Select(0, 4, 0, 6);
  EXPECT_EQ(Paint(), (TLog{"TextOutDX 5,5 \"ab cd ef\" [10,10,20,10,10,20,10,10]", "Save",
                           "IntersectClip 45,5,65,25", "FillRect 5,5,105,25 #FF00000D",
                           "Font \"Arial\" -16 #FF00000E", "Brush bsClear",
                           "TextOutDX 5,5 \"ab cd ef\" [10,10,20,10,10,20,10,10]", "Restore"}));
}

TEST_F(Painting, LineSelectionFillsTheWholeLineHeight) {
  Sheet.SelectionStyle = rpssLines;
  Doc.AddNL(u"abc", 0, 0);
  AddBox(-1);
  Doc.AddNL(u"de", 0, 0);
  Piece(0, 1, 3, 5, 5, 30, 20, true).SetExtraSpaceBelow(10);
  Piece(1, 0, 0, 35, 15, 10, 10, false).SetExtraSpaceBelow(10);
  Piece(2, 1, 2, 5, 35, 20, 20, true);
  Select(0, 2, 2, 2); // "bc", the box and "d"
  // Each selected part fills its line's height; the text goes over it with a clear brush.
  EXPECT_EQ(Paint(), (TLog{"Brush bsClear",
                           "TextOut 5,5 \"abc\"",
                           "Save",
                           "IntersectClip 15,5,35,35",
                           "FillRect 15,5,35,35 #FF00000D",
                           "Font \"Arial\" -16 #FF00000E",
                           "Brush bsClear",
                           "TextOut 5,5 \"abc\"",
                           "Restore",
                           "FillRect 35,5,45,35 #FF00000D",
                           "Font \"Arial\" -16 #FF000008",
                           "Brush bsClear",
                           "TextOut 5,35 \"de\"",
                           "Save",
                           "IntersectClip 5,35,15,55",
                           "FillRect 5,35,15,55 #FF00000D",
                           "Font \"Arial\" -16 #FF00000E",
                           "Brush bsClear",
                           "TextOut 5,35 \"de\"",
                           "Restore"}));
  EXPECT_EQ(ItemCalls, (TLog{"Paint 35,15,45,25 selected"}));
}

} // namespace
