// Numbers as markers and fields write them, the pattern language of marker and
// field texts, and the counters of sequence fields.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPNumbering.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/TestDocument.h"

namespace {

std::u16string Format(std::u16string_view Pattern, std::vector<std::u16string> Args) {
  return RP_FormatPattern(Pattern, Args);
}

TEST(Numbering, LettersCountWithoutAZero) {
  const std::vector<std::pair<int32_t, std::u16string>> Cases = {
      {1, u"A"},   {26, u"Z"},   {27, u"AA"},   {28, u"AB"}, {52, u"AZ"},
      {53, u"BA"}, {702, u"ZZ"}, {703, u"AAA"}, {0, u""},    {-4, u""}};
  for (const auto& [n, Text] : Cases)
    EXPECT_EQ(RP_IntToAlpha(n), Text) << n;
  EXPECT_EQ(RP_IntToAlpha(INT32_MAX), u"FXSHRXW");
}

TEST(Numbering, RomanNumeralsUpToAHundredThousandThenDecimal) {
  EXPECT_EQ(RP_IntToRoman(1994), u"MCMXCIV");
  EXPECT_EQ(RP_IntToRoman(4000), u"MMMM");
  EXPECT_EQ(RP_IntToRoman(49), u"XLIX");
  EXPECT_EQ(RP_IntToRoman(0), u"?");
  EXPECT_EQ(RP_IntToRoman(-3), u"?");
  EXPECT_EQ(RP_IntToRoman(100000), std::u16string(100, u'M'));
  // A counter from a file must not become millions of letters.
  EXPECT_EQ(RP_IntToRoman(100001), u"100001");
  EXPECT_EQ(RP_IntToRoman(INT32_MAX), u"2147483647");
  EXPECT_EQ(RP_NumberToText(14, rpseqLowerRoman), u"xiv");
  EXPECT_EQ(RP_NumberToText(28, rpseqLowerAlpha), u"ab");
  EXPECT_EQ(RP_NumberToText(-7, rpseqDecimal), u"-7");
  EXPECT_EQ(RP_NextNumber(INT32_MAX), INT32_MAX);
}

TEST(Numbering, PatternsTakeArgumentsInOrderOrByNumber) {
  EXPECT_EQ(Format(u"%s.%s.", {u"1", u"2"}), u"1.2.");
  EXPECT_EQ(Format(u"%0:s.%1:s.", {u"3", u"II"}), u"3.II.");
  // After a numbered argument the next "%s" goes on from there.
  EXPECT_EQ(Format(u"%1:s-%s-%0:s", {u"a", u"b", u"c"}), u"b-c-a");
  EXPECT_EQ(Format(u"%S and %%", {u"x"}), u"x and %");
  EXPECT_EQ(Format(u"[%4s][%-4s][%.2s][%5.1s]", {u"ab", u"cd", u"efg", u"hij"}),
            u"[  ab][cd  ][ef][    h]");
  // Missing arguments are empty.
  EXPECT_EQ(Format(u"(%s)(%7:s)", {}), u"()()");
  EXPECT_EQ(Format(u"%99999999999:s|", {u"x"}), u"|");
}

TEST(Numbering, WhatIsNoPlaceholderIsWrittenAsItStands) {
  for (const std::u16string Pattern :
       {u"100%", u"%", u"%d", u"%*s", u"%1:", u"%.s", u"50% off", u"%-", u"%5", u"%1:d"})
    EXPECT_EQ(Format(Pattern, {u"x"}), Pattern);
  EXPECT_EQ(Format(u"%0:s%", {u"7"}), u"7%");
  // Precision never cuts a surrogate pair in half.
  EXPECT_EQ(Format(u"%.1s", {u"\U0001D11Ex"}), u"");
  // A file cannot ask for a field of any width.
  EXPECT_EQ(Format(u"%999999999s", {u""}).size(), static_cast<size_t>(RP_MaxPatternWidth));
}

// ---------------------------------------------------------------- sequence fields

class Sequences : public ::testing::Test {
protected:
  void TearDown() override { RichPaneSwitches.Reset(); }
  TRPSeqItemInfo& Add(const std::string& Name, TRPSeqType Type = rpseqDecimal,
                      const std::string& Pattern = "") {
    auto Seq = std::make_unique<TRPSeqItemInfo>(&Doc, Name, Type, 0, Pattern);
    TRPSeqItemInfo& Added = *Seq;
    Doc.AddItem(u"", std::move(Seq));
    return Added;
  }
  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> Result;
    for (int i = 0; i < Doc.GetItemCount(); ++i)
      if (const auto* Seq = dynamic_cast<const TRPSeqItemInfo*>(Doc.GetItem(i)))
        Result.push_back(Seq->Text());
    return Result;
  }
  TRPStyle Sheet;
  TTestDocument Doc{&Sheet};
};

TEST_F(Sequences, EachNameCountsOnItsOwnWithoutRegardToCase) {
  Add("Figure", rpseqDecimal, "Fig. %s");
  Add("table", rpseqUpperRoman);
  Add("FIGURE", rpseqDecimal, "Fig. %s");
  Add("Table", rpseqUpperRoman);
  Add("Table", rpseqLowerAlpha, "(%s)");
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Fig. 1", u"I", u"Fig. 2", u"II", u"(c)"}));
  EXPECT_TRUE(RPDataTests::Consistent(Doc));
}

TEST_F(Sequences, ResetStartsAgainAndDeletingCountsAgain) {
  Add("Figure");
  TRPSeqItemInfo& Second = Add("Figure");
  Add("Figure");
  Second.Reset = true;
  Second.StartFrom = 10;
  Doc.GetSeqList(false)->RecalcCounters(0);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"1", u"10", u"11"}));
  Doc.DeleteItems(0, 1);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"10", u"11"}));
  Doc.DeleteItems(0, 1);
  // Without an earlier field a sequence starts at 1, not at a StartFrom.
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"1"}));
  Doc.Clear();
  EXPECT_EQ(Doc.GetSeqList(false), nullptr);
}

TEST_F(Sequences, CountersSaturateAndPatternsNeverThrow) {
  TRPSeqItemInfo& First = Add("n", rpseqUpperRoman, "%s %");
  Add("n", rpseqUpperRoman, "%d%s");
  First.Reset = true;
  First.StartFrom = INT32_MAX;
  Doc.GetSeqList(false)->RecalcCounters(0);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"2147483647 %", u"%d2147483647"}));
}

TEST_F(Sequences, ReadersAndCopiesRegisterTheirFields) {
  Doc.AddNL(u"a", 0, 0);
  Add("Figure");
  TTestDocument Source(&Sheet);
  Source.AddItem(u"", std::make_unique<TRPSeqItemInfo>(&Source, "figure", rpseqDecimal, 0, ""));
  Source.AddItem(u"", std::make_unique<TRPSeqItemInfo>(&Source, "Figure", rpseqDecimal, 0, ""));
  Doc.AppendFrom(Source);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"1", u"2", u"3"}));

  // A reader inserts before the others; the later fields count on from it.
  int Index = 1;
  std::string Text;
  std::unique_ptr<TCustomRPItemInfo> Item =
      std::make_unique<TRPSeqItemInfo>(&Doc, "Figure", rpseqDecimal, 0, "");
  bool FullReformat = true;
  int NewListNo = 0;
  Doc.InsertFirstRPFItem(Index, Text, Item, false, FullReformat, NewListNo);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"1", u"2", u"3", u"4"}));
  EXPECT_EQ(Doc.GetSeqList(false)->Count(), 4);

  TTestDocument Target(&Sheet);
  Target.DrainFrom(Doc);
  EXPECT_EQ(Doc.GetSeqList(false), nullptr);
  EXPECT_EQ(Target.GetSeqList(false)->Count(), 4);
  EXPECT_TRUE(RPDataTests::Consistent(Target));
}

} // namespace
