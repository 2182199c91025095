#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "catalogue/QuarnData_u.h"

namespace {

// Every choice of the eight tables has an article of its own: only the heading "1 molecule"
// shows the general article, and rows share an article only where the advice is the same: the
// three kinds of hydrogen bond, a node repeated under several parents, the nodes of one
// article that treats them together.
TEST(EntryTables, GiveEveryChoiceAnArticleOfItsOwn) {
  const struct {
    const TEntryTable& Table;
    int Choices;
    std::set<int> General;
  } Stages[] = {{CompTypeNodesData, 5, {}},        {JobNodesData, 16, {0}},
                {SystemNodesData, 15, {}},         {ChargeSpinNodesData, 6, {}},
                {StructFeaturesNodesData, 16, {}}, {MethodNodesData, 50, {}},
                {BasisSetNodesData, 6, {}},        {PackageNodesData, 24, {}}};
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
  using TRows = std::set<std::pair<int, int>>;
  const std::map<int, TRows> Shares = {
      {15110, {{4, 0}, {4, 1}, {4, 2}}},            // weak, strong, very strong H-bonds
      {1520, {{2, 11}, {2, 14}}},                   // "Liquid+liquid phases" twice
      {5110, {{5, 4}, {5, 5}}},                     // RHF-based, RHF
      {5200, {{5, 6}, {5, 23}, {5, 34}}},           // MP methods under RHF, ROHF, UHF
      {5220, {{5, 8}, {5, 9}, {5, 10}}},            // MP3, MP4, MP5
      {5300, {{5, 11}, {5, 24}}},                   // CI methods under RHF, ROHF
      {5400, {{5, 14}, {5, 25}}},                   // CC methods under RHF, ROHF
      {5430, {{5, 17}, {5, 32}}},                   // CCSDT / UCCSDT and beyond
      {5460, {{5, 20}, {5, 21}}},                   // EOM-EA, EOM-IP
      {5510, {{5, 26}, {5, 27}, {5, 28}}},          // open-shell CCSD, RCCSD, UCCSD
      {5520, {{5, 29}, {5, 30}, {5, 31}, {5, 35}}}, // open-shell (T), UCCSD and beyond
      {7011, {{7, 1}, {7, 2}}},                     // G98, G03
      {7013, {{7, 3}, {7, 4}}}};                    // G09 revisions A and D
  std::map<int, TRows> Shared;
  for (const auto& [Entry, At] : Rows)
    if (At.size() > 1)
      Shared.emplace(Entry, At);
  EXPECT_EQ(Shared, Shares);
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
