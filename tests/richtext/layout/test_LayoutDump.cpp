// The lines of a formatted document in words, with the fake metrics (10 px a character,
// lines 20 px high, margins 5, text width 100).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/layout/RPLayoutDump.h"
#include "support/FormattedDocument.h"

namespace {

using LayoutDump = TFormattingTest;

TEST_F(LayoutDump, OneLineALineWithItsExtentAndText) {
  Doc.AddNL(u"aaaa bbbb cccc", 0, 0);
  Doc.AddTab(0, -1);
  Doc.AddNL(u"x", 0, -1);
  Doc.AddBreak();
  Format();
  std::vector<std::string> Lines;
  for (const TRPLayoutLine& Line : RP_LayoutLines(Doc))
    Lines.push_back(RP_LayoutLineText(Line));
  // The space the first line was wrapped at belongs to neither line; a tab goes to the
  // next default stop (48 style pixels from the margin).
  EXPECT_EQ(Lines, (std::vector<std::string>{"   1 y=5 h=20 x=5..95 |aaaa bbbb|",
                                             "   2 y=25 h=20 x=5..63 |cccc\u2192x|",
                                             "   3 y=45 h=11 x=10..100 |---|"}));
}

} // namespace
