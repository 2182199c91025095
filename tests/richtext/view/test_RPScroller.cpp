// Scrolling with a fake window of 400 x 300 pixels whose shown bars take 20 pixels.
#include <gtest/gtest.h>

#include "richtext/view/RPScroller.h"
#include "support/FakePaneHost.h"

namespace {

class Scrolling : public ::testing::Test {
protected:
  Scrolling() : Scroller(Host) { Scroller.WindowCreated(); }
  // A document of Height pixels, narrower than the pane, as formatting reports it.
  void Document(int32_t Height) {
    Scroller.AdjustVScrollUnits(Height);
    Scroller.SetDocumentAreaSize(300, Height, true);
  }

  TFakePaneHost Host;
  TRPScroller Scroller;
};

TEST_F(Scrolling, TallDocumentsGetLargerUnits) {
  Document(3300000);
  EXPECT_EQ(Scroller.SmallStep(), 104);
  EXPECT_EQ(Scroller.YSize(), 31731);
  EXPECT_EQ(Host.V.Max, 31730);
  Scroller.VScroll(rpsrBottom);
  EXPECT_EQ(Scroller.VOffs() / 104, Scroller.VPos());
  // A short document brings the unit back.
  Document(5000);
  EXPECT_EQ(Scroller.SmallStep(), 10);
  EXPECT_EQ(Scroller.YSize(), 500);
}

TEST_F(Scrolling, LinePageThumbTopAndBottom) {
  Document(5000);
  ASSERT_TRUE(Host.V.Shown());
  Scroller.VScroll(rpsrLineDown);
  EXPECT_EQ(Scroller.VOffs(), 10);
  EXPECT_EQ(Host.Scrolled.back(), std::make_pair(0, -10));
  Scroller.VScroll(rpsrPageDown);
  EXPECT_EQ(Scroller.VOffs(), 10 + 300);
  Scroller.VScroll(rpsrPageUp);
  Scroller.VScroll(rpsrLineUp);
  EXPECT_EQ(Scroller.VPos(), 0);
  Scroller.VScroll(rpsrLineUp); // nothing to do: no pixels move
  EXPECT_EQ(Host.Scrolled.size(), 4u);
  Scroller.VScroll(rpsrBottom);
  EXPECT_EQ(Scroller.VPos(), 500 - 30); // the last page shows the end
  Scroller.VScroll(rpsrTop);
  Scroller.VScroll(rpsrThumbTrack, 120);
  EXPECT_EQ(Scroller.VPos(), 120);
  Scroller.Tracking = false;
  Scroller.VScroll(rpsrThumbTrack, 200);
  EXPECT_EQ(Scroller.VPos(), 120);
  Scroller.VScroll(rpsrThumbPosition, 200);
  EXPECT_EQ(Scroller.VPos(), 200);
  EXPECT_GT(Host.MouseMoves, 0); // what follows the pointer follows the text
}

TEST_F(Scrolling, AShortDocumentDoesNotScroll) {
  Document(200);
  EXPECT_FALSE(Host.V.Shown());
  Scroller.VScroll(rpsrPageDown);
  Scroller.MouseWheel(true);
  EXPECT_EQ(Scroller.VPos(), 0);
  EXPECT_TRUE(Host.Scrolled.empty());
}

TEST_F(Scrolling, ThePositionIsKeptAsFarAsItFits) {
  Document(5000);
  Scroller.VScroll(rpsrBottom);
  Document(4000);
  EXPECT_EQ(Scroller.VPos(), 400 - 30);
  Scroller.VScroll(rpsrThumbPosition, 100);
  Document(6000);
  EXPECT_EQ(Scroller.VPos(), 100);
}

TEST_F(Scrolling, WheelNotches) {
  Document(5000);
  const auto Notch = [this](int Lines) {
    Scroller.VScroll(rpsrTop);
    Host.WheelLines = Lines;
    EXPECT_TRUE(Scroller.MouseWheel(true));
    return Scroller.VPos();
  };
  EXPECT_EQ(Notch(1), 1); // 2/3 rounded
  EXPECT_EQ(Notch(3), 2);
  EXPECT_EQ(Notch(6), 4);
  EXPECT_EQ(Notch(-1), 30); // a page
  Host.WheelLines.reset();  // unknown: three lines
  Scroller.VScroll(rpsrTop);
  Scroller.MouseWheel(true);
  Scroller.MouseWheel(false);
  Scroller.MouseWheel(true);
  EXPECT_EQ(Scroller.VPos(), 2);
  Host.WheelLines = 0;
  EXPECT_FALSE(Scroller.MouseWheel(true));
  Host.WheelLines = 3;
  Scroller.WheelStep = 0;
  EXPECT_FALSE(Scroller.MouseWheel(true));
}

TEST_F(Scrolling, KeysScrollAViewerWithoutACaret) {
  Document(5000);
  EXPECT_FALSE(Scroller.KeyDown(rpskPageDown));
  Scroller.KeyboardScroll = true;
  EXPECT_TRUE(Scroller.KeyDown(rpskPageDown));
  EXPECT_TRUE(Scroller.KeyDown(rpskDown));
  EXPECT_EQ(Scroller.VPos(), 31);
  Scroller.KeyDown(rpskEnd);
  EXPECT_EQ(Scroller.VPos(), 470);
  Scroller.KeyDown(rpskHome);
  EXPECT_EQ(Scroller.VPos(), 0);
}

TEST_F(Scrolling, HorizontalScrolling) {
  // Twice, as formatting does again when a bar took room.
  Scroller.SetDocumentAreaSize(1000, 5000, true);
  Scroller.SetDocumentAreaSize(1000, 5000, true);
  ASSERT_TRUE(Host.H.Shown());
  Scroller.HScroll(rpsrLineDown);
  EXPECT_EQ(Scroller.HPos(), 10);
  EXPECT_EQ(Host.Scrolled.back(), std::make_pair(-10, 0));
  Scroller.HScroll(rpsrPageDown);
  EXPECT_EQ(Scroller.HPos(), 10 + 380);
  Scroller.HScroll(rpsrBottom);
  EXPECT_EQ(Scroller.HPos(), 1000 - 380);
  // A narrower document pulls the position back.
  Scroller.SetDocumentAreaSize(500, 5000, true);
  EXPECT_EQ(Scroller.HPos(), 500 - 380);
}

TEST_F(Scrolling, AutomaticScrollingWhileTheMouseIsOutside) {
  Document(5000);
  Scroller.StartAutoScroll();
  EXPECT_EQ(Host.TimerInterval, 100);
  const int32_t Bottom = Host.ClientHeight();
  Scroller.UpdateAutoScrollDeltas(100, Bottom + 30);
  Scroller.AutoScrollTick();
  EXPECT_EQ(Scroller.VOffs(), 100);
  Scroller.UpdateAutoScrollDeltas(100, Bottom + 10);
  Scroller.AutoScrollTick();
  EXPECT_EQ(Scroller.VOffs(), 110);
  Scroller.UpdateAutoScrollDeltas(100, -5);
  Scroller.AutoScrollTick();
  EXPECT_EQ(Scroller.VOffs(), 100);
  Scroller.UpdateAutoScrollDeltas(100, 50); // inside: nothing
  Scroller.AutoScrollTick();
  EXPECT_EQ(Scroller.VOffs(), 100);
  Scroller.StopAutoScroll();
  EXPECT_EQ(Host.TimerInterval, 0);
  EXPECT_FALSE(Scroller.AutoScrolling());
}

} // namespace
