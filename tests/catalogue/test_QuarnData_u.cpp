#include <gtest/gtest.h>

#include <map>

#include "catalogue/QuarnData_u.h"

namespace {

std::map<int, int> NonZero(const TEntryTable& Table) {
  std::map<int, int> Result;
  for (int i = 0; i < EntryTableSize; ++i)
    if (Table[i].FirstEntry != 0)
      Result[i] = Table[i].FirstEntry;
  return Result;
}

TEST(EntryTables, HoldExactlyTheArticlesOfEachChoice) {
  EXPECT_EQ(NonZero(CompTypeNodesData),
            (std::map<int, int>{{0, 410}, {1, 420}, {3, 430}, {4, 440}}));
  // Index 10 holds 230 and 11 holds 220; the root at 8 has an article, the root at 0 none.
  EXPECT_EQ(NonZero(JobNodesData), (std::map<int, int>{{1, 120},
                                                       {2, 130},
                                                       {3, 140},
                                                       {4, 100},
                                                       {5, 110},
                                                       {6, 150},
                                                       {7, 160},
                                                       {8, 200},
                                                       {9, 210},
                                                       {10, 230},
                                                       {11, 220},
                                                       {13, 240}}));
  EXPECT_EQ(NonZero(SystemNodesData), (std::map<int, int>{{1, 1100}}));
  EXPECT_EQ(NonZero(ChargeSpinNodesData), (std::map<int, int>{{0, 3100}, {1, 3110}}));
  EXPECT_EQ(NonZero(StructFeaturesNodesData),
            (std::map<int, int>{{0, 15110}, {1, 15110}, {2, 15110}, {9, 15150}}));
}

TEST(EntryTables, InitEntriesRestoresTheTables) {
  JobNodesData[12].FirstEntry = 999;
  CompTypeNodesData[0].FirstEntry = 0;
  InitEntries();
  EXPECT_EQ(JobNodesData[12].FirstEntry, 0);
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
