#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "catalogue/QuarnData_u.h"

namespace {

// Every choice of the five stages has an article of its own: only the heading "1 molecule"
// shows the general article, and rows share an article only where the advice is the same
// (the three kinds of hydrogen bond; "Liquid+liquid phases", listed twice).
TEST(EntryTables, GiveEveryChoiceAnArticleOfItsOwn) {
  const struct {
    const TEntryTable& Table;
    int Choices;
    std::set<int> General;
  } Stages[] = {{CompTypeNodesData, 5, {}},
                {JobNodesData, 16, {0}},
                {SystemNodesData, 15, {}},
                {ChargeSpinNodesData, 6, {}},
                {StructFeaturesNodesData, 16, {}}};
  std::map<int, std::set<std::pair<int, int>>> Rows; // entry -> (stage, row)
  for (int Stage = 0; Stage < static_cast<int>(std::size(Stages)); ++Stage) {
    SCOPED_TRACE(Stage);
    for (int i = 0; i < EntryTableSize; ++i) {
      const int Entry = Stages[Stage].Table[i].FirstEntry;
      if (i >= Stages[Stage].Choices || Stages[Stage].General.contains(i)) {
        EXPECT_EQ(Entry, 0) << i;
        continue;
      }
      EXPECT_NE(Entry, 0) << i;
      EXPECT_NE(Entry, DefaultEntry) << i;
      Rows[Entry].insert({Stage, i});
    }
  }
  for (const auto& [Entry, Shared] : Rows) {
    if (Shared.size() > 1) {
      EXPECT_TRUE(Entry == 15110 || Entry == 1520) << Entry;
    }
  }
  EXPECT_EQ(Rows.at(15110), (std::set<std::pair<int, int>>{{4, 0}, {4, 1}, {4, 2}}));
  EXPECT_EQ(Rows.at(1520), (std::set<std::pair<int, int>>{{2, 11}, {2, 14}}));
}

TEST(EntryTables, InitEntriesRestoresTheTables) {
  JobNodesData[12].FirstEntry = 999;
  CompTypeNodesData[0].FirstEntry = 0;
  InitEntries();
  EXPECT_EQ(JobNodesData[12].FirstEntry, 250);
  EXPECT_EQ(CompTypeNodesData[0].FirstEntry, 410);
}

TEST(EntryTables, EntryAtOutsideTheTableIsNoArticle) {
  EXPECT_EQ(EntryAt(JobNodesData, 10), 230);
  EXPECT_EQ(EntryAt(JobNodesData, 50), 0);
  EXPECT_EQ(EntryAt(JobNodesData, 51), 0);
  EXPECT_EQ(EntryAt(JobNodesData, -1), 0);
  EXPECT_EQ(EntryAt(JobNodesData, INT64_MAX), 0);
}

TEST(GetEntryFileName, PadsToSixDigitsAndKeepsLongerNumbers) {
  EXPECT_EQ(GetEntryFileName(60), "E000060.rtf");
  EXPECT_EQ(GetEntryFileName(15110), "E015110.rtf");
  EXPECT_EQ(GetEntryFileName(1234567), "E1234567.rtf");
  EXPECT_EQ(GetEntryFileName(0), "E000000.rtf");
  EXPECT_EQ(GetEntryFileName(999999999), "E999999999.rtf");
  EXPECT_EQ(GetEntryFileName(-5), "E-000005.rtf");
}

} // namespace
