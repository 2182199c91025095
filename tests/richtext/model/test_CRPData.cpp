// The document container: the paragraph rules of adding, the three forms of item
// text with code pages and symbol fonts, checkpoints and removing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPStyle.h"
#include "support/DocumentChecks.h"
#include "support/FakePicture.h"
#include "support/TestDocument.h"

namespace {

// As much of a list marker as the container cares about: its style number.
class TTestMarker : public TRPSimpleRectItemInfo {
public:
  explicit TTestMarker(TCustomRPData* RPData) : TRPSimpleRectItemInfo(RPData) {
    StyleNo = rpsListMarker;
  }
};

std::string U16(std::u16string_view Text) {
  std::string Bytes;
  for (char16_t Unit : Text) {
    Bytes += static_cast<char>(Unit & 0xFF);
    Bytes += static_cast<char>(Unit >> 8);
  }
  return Bytes;
}

// The message of what Op throws, "" when it throws nothing.
std::string ErrorOf(const std::function<void()>& Op) {
  try {
    Op();
  } catch (const ERichPaneError& E) {
    return E.what();
  }
  return {};
}

class Container : public ::testing::Test {
protected:
  // A non-Unicode text style of character set Charset.
  int AnsiStyle(uint8_t Charset) {
    TFontInfo& Style = Sheet.TextStyles.Add();
    Style.Unicode = false;
    Style.Charset = Charset;
    return Sheet.TextStyles.Count() - 1;
  }
  int UnicodeStyle(uint8_t Charset) {
    const int No = AnsiStyle(Charset);
    Sheet.TextStyles[No].Unicode = true;
    return No;
  }
  void AddMarker(int ParaNo) {
    auto Marker = std::make_unique<TTestMarker>(&Doc);
    Marker->ParaNo = ParaNo;
    Doc.AddItemR({}, std::move(Marker));
  }
  // One line per item: how it joins (P new paragraph, L new line, S same line), its
  // paragraph style and its text, or its kind.
  std::vector<std::string> Shape() {
    std::vector<std::string> Lines;
    for (int i = 0; i < Doc.GetItemCount(); ++i) {
      const TCustomRPItemInfo& Item = *Doc.GetItem(i);
      std::string Line = Item.SameAsPrev() ? "S" : Item.BR() ? "L" : "P";
      Line += std::to_string(Item.ParaNo) + " ";
      if (Item.StyleNo == rpsBreak)
        Line += "break";
      else if (Item.StyleNo == rpsListMarker)
        Line += "marker";
      else if (Item.StyleNo == rpsTab)
        Line += "tab";
      else
        for (char16_t c : Doc.GetItemTextW(i))
          Line += static_cast<char>(c);
      Lines.push_back(Line);
    }
    return Lines;
  }
  ::testing::AssertionResult Valid() { return RPDataTests::Consistent(Doc); }

  TRPStyle Sheet;
  TTestDocument Doc{&Sheet};
};

using Lines = std::vector<std::string>;

// ---------------------------------------------------------------- paragraph rules

TEST_F(Container, TheFirstItemStartsAParagraphOfStyleZero) {
  Doc.AddNL(u"a", 0, -1);
  EXPECT_EQ(Shape(), (Lines{"P0 a"}));
  EXPECT_TRUE(Valid());
  Doc.AddNL(u"b", 3, -1);
  Doc.AddNL(u"c", 0, 1);
  EXPECT_EQ(Shape(), (Lines{"P0 a", "S0 b", "P1 c"}));
  EXPECT_EQ(Doc.GetItemStyle(1), 3);
  EXPECT_TRUE(Valid());
}

TEST_F(Container, NothingContinuesABreak) {
  Doc.AddNL(u"a", 0, 1);
  Doc.AddBreak();
  EXPECT_TRUE(Valid());
  Doc.AddNL(u"b", 0, -1);
  EXPECT_TRUE(Valid());
  Doc.SetAddParagraphMode(false);
  Doc.AddBreak();
  Doc.AddNL(u"c", 0, 1);
  EXPECT_EQ(Shape(), (Lines{"P1 a", "P0 break", "P0 b", "P0 break", "P1 c"}));
  EXPECT_TRUE(Valid());
}

TEST_F(Container, WithoutNewParagraphsItemsBreakTheLineInTheirParagraph) {
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"a", 0, 1);
  EXPECT_TRUE(Valid());
  Doc.AddNL(u"b", 0, 3);
  EXPECT_TRUE(Valid());
  Doc.AddNL(u"c", 0, -1);
  EXPECT_TRUE(Valid());
  EXPECT_FALSE(Doc.GetAddParagraphMode());
  Doc.SetAddParagraphMode(true);
  Doc.AddNL(u"d", 0, 3);
  EXPECT_EQ(Shape(), (Lines{"P1 a", "L1 b", "S1 c", "P3 d"}));
  EXPECT_TRUE(Valid());
}

TEST_F(Container, ALoneMarkerGetsAnEmptyTextBeforeTheNextParagraph) {
  AddMarker(4);
  EXPECT_TRUE(Valid());
  EXPECT_EQ(Doc.AddNamedCheckpointExTag("next", false, {}), 0);
  Doc.AddNL(u"x", 2, 0);
  EXPECT_EQ(Shape(), (Lines{"P4 marker", "S4 ", "P0 x"}));
  EXPECT_EQ(Doc.GetItem(1)->StyleNo, 0);
  EXPECT_EQ(Doc.GetItem(1)->Checkpoint(), nullptr); // meant for x, not for the filler
  EXPECT_EQ(Doc.GetItem(2)->Checkpoint()->Name, "next");
  EXPECT_TRUE(Valid());

  AddMarker(5);
  Doc.AddNL(u"y", 0, -1); // the marker's own text: nothing in between
  AddMarker(6);
  Doc.AddBreak();
  AddMarker(7);
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"z", 0, 1);
  EXPECT_EQ(Shape(), (Lines{"P4 marker", "S4 ", "P0 x", "P5 marker", "S5 y", "P6 marker", "S6 ",
                            "P0 break", "P7 marker", "S7 ", "L7 z"}));
  EXPECT_TRUE(Valid());
}

TEST_F(Container, AddingLeavesTheParagraphModeAlone) {
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"a", 0, 0);
  Doc.AddBreak();
  EXPECT_NE(ErrorOf([&] { Doc.AddNLR("odd", 0, 0); }), "");
  Doc.Clear();
  EXPECT_FALSE(Doc.GetAddParagraphMode());
}

TEST_F(Container, TabsAndOtherItemsFollowTheSameRules) {
  Doc.AddNL(u"abc", 0, 0);
  Doc.AddTab(3, -1);
  Doc.AddPictureEx("pic", std::make_unique<TFakeCountedPicture>(4, 4), -1, rpvaBaseline);
  EXPECT_EQ(Shape(), (Lines{"P0 abc", "S0 tab", "S0 pic"}));
  EXPECT_EQ(Doc.GetItem(1)->GetAssociatedTextStyleNo(), 3);
  EXPECT_EQ(Doc.ItemLength(0), 3);
  EXPECT_EQ(Doc.GetOffsBeforeItem(0), 1);
  EXPECT_EQ(Doc.GetOffsAfterItem(0), 4);
  EXPECT_EQ(Doc.ItemLength(1), 1);
  EXPECT_EQ(Doc.GetOffsBeforeItem(1), 0);
  EXPECT_EQ(Doc.GetOffsAfterItem(1), 1);
  EXPECT_TRUE(Valid());
}

// ---------------------------------------------------------------- Unicode text

TEST_F(Container, HalfACharacterIsRefusedAndChangesNothing) {
  const std::string Message = "Can't perform Unicode operation";
  const int Ansi = AnsiStyle(0);
  AddMarker(0);
  EXPECT_EQ(ErrorOf([&] { Doc.AddNLRTag("abc", 0, 1, "t"); }), Message);
  EXPECT_EQ(ErrorOf([&] { Doc.AddNLWTagRaw("abc", Ansi, 1, "t"); }), Message);
  auto Unicode = RichPaneTextItemClass(&Doc);
  Unicode->SetUnicode(true);
  EXPECT_EQ(ErrorOf([&] { Doc.AddItemR("abc", std::move(Unicode)); }), Message);
  EXPECT_EQ(Doc.GetItemCount(), 1); // not even the marker's filler
  EXPECT_TRUE(Valid());

  Doc.AddNLR(U16(u"ab"), 0, 1);
  EXPECT_EQ(ErrorOf([&] { Doc.SetItemTextR(2, "abc"); }), Message);
  EXPECT_EQ(Doc.GetItemTextW(2), u"ab");
  Doc.AddNLR("abc", Ansi, 1); // 8-bit text has no halves
  EXPECT_EQ(Doc.GetItemTextR(3), "abc");
  EXPECT_TRUE(Valid());
}

// ---------------------------------------------------------------- text forms

TEST_F(Container, EightBitTextIsInItsStylesCodePage) {
  const int Cyrillic = AnsiStyle(204);
  Doc.AddNLATag("\xC0\xE1", Cyrillic, 0, "tag");
  EXPECT_FALSE(Doc.GetItem(0)->Unicode());
  EXPECT_EQ(Doc.GetItemTextR(0), "\xC0\xE1");
  EXPECT_EQ(Doc.GetItemTextW(0), u"\u0410\u0431");
  EXPECT_EQ(Doc.GetItemTextA(0), "\xC0\xE1");
  EXPECT_EQ(Doc.GetItemCodePage(0), 1251);
  EXPECT_EQ(Doc.GetItemTag(0), "tag");
  Doc.SetItemTextW(0, u"\u0416?");
  EXPECT_EQ(Doc.GetItemTextR(0), "\xC6?");
  Doc.AddNLWTagRaw(U16(u"\u0410"), Cyrillic, -1, {});
  EXPECT_EQ(Doc.GetItemTextR(1), "\xC0");
  Doc.AddNL(u"\u0431", Cyrillic, -1);
  EXPECT_EQ(Doc.GetItemTextR(2), "\xE1");
  EXPECT_TRUE(Valid());
}

TEST_F(Container, UnicodeTextIsConvertedForTheEightBitForm) {
  const int Cyrillic = UnicodeStyle(204);
  Doc.AddNLATag("\xC0", Cyrillic, 0, {});
  EXPECT_TRUE(Doc.GetItem(0)->Unicode());
  EXPECT_EQ(Doc.GetItemTextR(0), U16(u"\u0410"));
  EXPECT_EQ(Doc.GetItemTextA(0), "\xC0");
  Doc.SetItemTextA(0, "\xC6");
  EXPECT_EQ(Doc.GetItemTextW(0), u"\u0416");
  Doc.SetItemTextW(0, u"\u4E2D");
  EXPECT_EQ(Doc.GetItemTextR(0), U16(u"\u4E2D"));
  EXPECT_EQ(Doc.GetItemTextA(0), "?");
  EXPECT_TRUE(Valid());
}

TEST_F(Container, TheDefaultCharacterSetTakesTheSheetsCodePage) {
  Sheet.DefCodePage = 1250;
  const int Default = AnsiStyle(1);
  EXPECT_EQ(Doc.GetStyleCodePage(Default), 1250);
  EXPECT_EQ(Doc.GetStyleCodePage(AnsiStyle(161)), 1253);
  EXPECT_EQ(Doc.GetStyleCodePage(rpsBreak), 1250);
  EXPECT_EQ(Doc.GetDefaultCodePage(), 1250);
  Doc.AddNL(u"\u0159", Default, 0);
  EXPECT_EQ(Doc.GetItemTextR(0), "\xF8");
  TTestDocument Loose(nullptr);
  EXPECT_EQ(Loose.GetStyleCodePage(Default), 0);
  EXPECT_EQ(Loose.GetDefaultCodePage(), 0);
}

TEST_F(Container, SymbolTextMapsToThePrivateUseBlockBothWays) {
  const int Bytes = AnsiStyle(2);
  const int Units = UnicodeStyle(2);
  Doc.AddNLATag("\xB7", Bytes, 0, {});
  EXPECT_EQ(Doc.GetItemTextW(0), u"\uF0B7");
  Doc.SetItemTextW(0, u"\uF0B7A");
  EXPECT_EQ(Doc.GetItemTextR(0), "\xB7"
                                 "A");
  Doc.AddNL(u"\uF0B7", Units, 0);
  EXPECT_EQ(Doc.GetItemTextR(1), U16(u"\uF0B7"));
  EXPECT_EQ(Doc.GetItemTextA(1), "\xB7");
  Doc.SetItemTextA(1, "\xB7");
  EXPECT_EQ(Doc.GetItemTextW(1), u"\uF0B7");
  Doc.AddNLATag("\xB7", Units, 0, {});
  EXPECT_EQ(Doc.GetItemTextW(2), u"\uF0B7");
  EXPECT_TRUE(Valid());
}

TEST_F(Container, ANonTextItemsNameIsEightBit) {
  Doc.AddPictureEx("caf\xE9", nullptr, 0, rpvaBaseline);
  EXPECT_EQ(Doc.GetItemTextW(0), u"caf\u00E9");
  EXPECT_EQ(Doc.GetItemTextA(0), "caf\xE9");
  Doc.SetItemTextW(0, u"\u00E8");
  EXPECT_EQ(Doc.GetItemTextR(0), "\xE8");
  auto Bullet = std::make_unique<TRPBulletItemInfo>(&Doc);
  Bullet->ParaNo = -1;
  Doc.AddItem(u"\u00E0", std::move(Bullet));
  EXPECT_EQ(Doc.GetItemTextR(1), "\xE0");
  EXPECT_EQ(Doc.GetItemOptions(1), TRPItemOptions{rpioSameAsPrev});
}

TEST_F(Container, DefaultStyleTextTakesItsParagraphsStyle) {
  const int Ansi = AnsiStyle(0);
  const int WithDefault = Sheet.ParaStyles.Count();
  Sheet.ParaStyles.Add().DefStyleNo = Ansi;
  Doc.AddNLATag("\xE9", -1, WithDefault, {});
  EXPECT_EQ(Doc.GetItem(0)->StyleNo, rpsDefStyle);
  EXPECT_EQ(Doc.GetItemStyle(0), Ansi);
  EXPECT_FALSE(Doc.GetItem(0)->Unicode()); // the encoding of the style it resolves to
  Doc.AddNLATag("\xE9", rpsDefStyle, -1, {});
  EXPECT_EQ(Doc.GetItemTextR(1), "\xE9");
  Doc.AddNL(u"x", -5, 0); // DefStyleNo -1: text style 0
  EXPECT_EQ(Doc.GetItemStyle(2), 0);
  EXPECT_TRUE(Doc.GetItem(2)->Unicode());

  Doc.TemplateMap = {{0, 2}};
  EXPECT_EQ(Doc.GetItemStyle(2), 2);
  EXPECT_EQ(Doc.GetItem(2)->StyleNo, 2); // the mapping is stored
  EXPECT_TRUE(Valid());
}

// ---------------------------------------------------------------- tabs and patterns

TEST_F(Container, TabsInTextBecomeSpacesInTab) {
  const int Ansi = AnsiStyle(0);
  Doc.AddNL(u"x\ty", 0, 0);
  EXPECT_EQ(Doc.GetItemTextW(0), u"xy");
  Sheet.SpacesInTab = 4;
  Doc.AddNL(u"x\ty", 0, 0);
  EXPECT_EQ(Doc.GetItemTextW(1), u"x    y");
  Doc.AddNLATag("\tz", Ansi, 0, {});
  EXPECT_EQ(Doc.GetItemTextR(2), "    z");
  // Bytes 09 00 across two characters are no tab.
  std::string Split = U16(u"\u0900\u4100");
  Doc.ReplaceTabs(Split, 0, true);
  EXPECT_EQ(Split, U16(u"\u0900\u4100"));
  TTestDocument Loose(nullptr);
  std::string Plain = "a\tb";
  Loose.ReplaceTabs(Plain, 0, false);
  EXPECT_EQ(Plain, "a        b");
  EXPECT_TRUE(Valid());
}

TEST_F(Container, FormattedTextTakesOnlyStringArguments) {
  Doc.AddFmt(u"%s has %s%% of %s", {u"A", u"50", u"B"}, 0, 0);
  Doc.AddFmt(u"[%s] %d 100%", {u"%s", u"unused"}, 0, 0);
  EXPECT_EQ(Doc.GetItemTextW(0), u"A has 50% of B");
  EXPECT_EQ(Doc.GetItemTextW(1), u"[%s] %d 100%");
  EXPECT_EQ(ErrorOf([&] { Doc.AddFmt(u"%s and %s", {u"one"}, 0, 0); }),
            "Format has more arguments than were given");
  EXPECT_EQ(Doc.GetItemCount(), 2);
}

// ---------------------------------------------------------------- accessors

TEST_F(Container, IndexesAreChecked) {
  const std::string Message = "Item index is out of bounds";
  EXPECT_EQ(ErrorOf([&] { Doc.CheckItemIndex(0); }), Message);
  Doc.AddNL(u"a", 0, 0);
  EXPECT_EQ(ErrorOf([&] { Doc.CheckItemIndex(0); }), "");
  EXPECT_EQ(ErrorOf([&] { Doc.CheckItemIndex(-1); }), Message);
  EXPECT_EQ(ErrorOf([&] { Doc.CheckItemIndex(1); }), Message);
  EXPECT_EQ(ErrorOf([&] { Doc.GetPageBreaksBeforeItems(1); }), Message);
  EXPECT_EQ(ErrorOf([&] { Doc.SetPageBreaksBeforeItems(-1, true); }), Message);
  EXPECT_EQ(ErrorOf([&] { Doc.GetItemTextR(7); }), Message);
}

TEST_F(Container, APageBreakGoesBeforeTheWholeListParagraph) {
  Doc.AddNL(u"a", 0, 0);
  AddMarker(0);
  Doc.AddNL(u"b", 0, -1);
  Doc.SetPageBreaksBeforeItems(2, true);
  EXPECT_TRUE(Doc.GetPageBreaksBeforeItems(1));
  EXPECT_FALSE(Doc.GetPageBreaksBeforeItems(2));
  EXPECT_EQ(Shape(), (Lines{"P0 a", "P0 marker", "S0 b"}));
  Doc.SetPageBreaksBeforeItems(0, true);
  EXPECT_TRUE(Doc.GetPageBreaksBeforeItems(0));
  Doc.SetPageBreaksBeforeItems(2, false);
  EXPECT_FALSE(Doc.GetPageBreaksBeforeItems(1));
  EXPECT_TRUE(Valid());
}

TEST_F(Container, FloatsAreClearedOnlyWhereALineStarts) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"b", 0, -1);
  Doc.SetClearLeft(0, true);
  Doc.SetClearRight(1, true);
  EXPECT_TRUE(Doc.GetClearLeft(0));
  EXPECT_FALSE(Doc.GetClearRight(1));
  EXPECT_TRUE(Doc.IsParaStart(0));
  EXPECT_FALSE(Doc.IsFromNewLine(1));
}

TEST_F(Container, NormalizeParasGivesAParagraphItsFirstItemsStyle) {
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNL(u"b", 0, 2);
  Doc.AddNL(u"c", 0, -1);
  Doc.SetAddParagraphMode(false);
  Doc.AddNL(u"d", 0, 1);
  Doc.SetAddParagraphMode(true);
  Doc.AddNL(u"e", 0, 3);
  Doc.GetItem(2)->ParaNo = 7;
  Doc.GetItem(3)->ParaNo = 8;
  Doc.NormalizeParas(3);
  EXPECT_EQ(Shape(), (Lines{"P0 a", "P2 b", "S2 c", "L2 d", "P3 e"}));
  EXPECT_TRUE(Valid());
  Doc.GetItem(4)->SetSameAsPrev(true);
  Doc.NormalizeParas(100);
  EXPECT_EQ(Shape(), (Lines{"P0 a", "P2 b", "S2 c", "L2 d", "S2 e"}));
  EXPECT_TRUE(Valid());
}

// ---------------------------------------------------------------- checkpoints

TEST_F(Container, CheckpointsWaitForTheNextItemAndChainInItemOrder) {
  EXPECT_EQ(Doc.AddNamedCheckpointExTag("a", true, "ta"), 0);
  EXPECT_EQ(Doc.AddNamedCheckpointExTag("ignored", false, {}), 0);
  EXPECT_EQ(Doc.NotAddedCP->Name, "a");
  Doc.AddNL(u"x", 0, 0);
  ASSERT_NE(Doc.GetItem(0)->Checkpoint(), nullptr);
  TRPCPInfo& A = *Doc.GetItem(0)->Checkpoint();
  EXPECT_EQ(Doc.NotAddedCP.get(), nullptr);
  EXPECT_EQ(A.ItemInfo, Doc.GetItem(0));
  EXPECT_TRUE(A.RaiseEvent);
  EXPECT_EQ(A.Tag, "ta");

  Doc.AddNL(u"y", 0, -1);
  EXPECT_EQ(Doc.AddNamedCheckpointExTag("b", false, {}), 1);
  Doc.AddNL(u"z", 0, 0);
  // A copy that brings its own checkpoint is registered like a named one.
  Doc.AddItemR(std::string(Doc.GetItemTextR(0)), RP_DuplicateItem(*Doc.GetItem(0), &Doc, true));
  EXPECT_EQ(Doc.CPCount, 3);
  // The item keeps its own; a pending checkpoint waits for the next item.
  Doc.AddNamedCheckpointExTag("d", false, {});
  Doc.AddItemR(std::string(Doc.GetItemTextR(0)), RP_DuplicateItem(*Doc.GetItem(0), &Doc, true));
  EXPECT_EQ(Doc.NotAddedCP->Name, "d");
  Doc.AddNL(u"e", 0, 0);

  std::vector<std::string> Chain;
  for (TRPCPInfo* CP = Doc.FirstCP; CP; CP = CP->Next) {
    Chain.push_back(CP->Name + "@" + std::to_string(Doc.GetItemNo(CP->ItemInfo)));
    EXPECT_EQ(CP->Prev ? CP->Prev->Next : Doc.FirstCP, CP);
  }
  EXPECT_EQ(Chain, (std::vector<std::string>{"a@0", "b@2", "a@3", "a@4", "d@5"}));
  EXPECT_EQ(Doc.CPCount, 5);
  EXPECT_TRUE(Valid());
}

TEST_F(Container, DeleteSectionRunsToTheNextNamedCheckpoint) {
  auto Add = [&](const char16_t* Text, const char* CPName) {
    if (CPName)
      Doc.AddNamedCheckpointExTag(CPName, false, {});
    Doc.AddNL(Text, 0, 0);
  };
  Add(u"a0", "a");
  Add(u"a1", nullptr);
  Add(u"b0", "b");
  Add(u"b1", "");
  Add(u"b2", nullptr);
  Add(u"c0", "c");
  Doc.DeleteSection("nothing");
  EXPECT_EQ(Doc.GetItemCount(), 6);
  Doc.DeleteSection("b");
  EXPECT_EQ(Shape(), (Lines{"P0 a0", "P0 a1", "P0 c0"}));
  EXPECT_EQ(Doc.FirstCP->Name, "a");
  EXPECT_EQ(Doc.FirstCP->Next, Doc.LastCP);
  EXPECT_EQ(Doc.LastCP->Name, "c");
  Doc.DeleteSection("c");
  EXPECT_EQ(Doc.LastCP, Doc.FirstCP);
  Doc.DeleteSection("a");
  EXPECT_EQ(Doc.GetItemCount(), 0);
  EXPECT_EQ(Doc.FirstCP, nullptr);
  EXPECT_EQ(Doc.LastCP, nullptr);
}

// ---------------------------------------------------------------- removing

TEST_F(Container, DeleteItemsStaysWithinTheDocument) {
  for (int i = 0; i < 10; ++i)
    Doc.AddNL(std::u16string(1, static_cast<char16_t>(u'0' + i)), 0, 0);
  Doc.DeleteItems(10, 1);
  Doc.DeleteItems(-1, 3);
  Doc.DeleteItems(3, 0);
  EXPECT_EQ(Doc.GetItemCount(), 10);
  Doc.DeleteItems(8, 5);
  EXPECT_EQ(Doc.GetItemCount(), 8);
  EXPECT_EQ(Doc.GetItemTextW(7), u"7");
  EXPECT_TRUE(Valid());
  Doc.DeleteItems(0, 1000);
  EXPECT_EQ(Doc.GetItemCount(), 0);
}

TEST_F(Container, AnItemHasLeftTheListBeforeAnyoneHearsItGoes) {
  const int Live = TFakeCountedPicture::Live();
  Doc.AddNL(u"a", 0, 0);
  Doc.AddNamedCheckpointExTag("p", false, {});
  Doc.AddPictureEx("p", std::make_unique<TFakeCountedPicture>(4, 4), 0, rpvaBaseline);
  Doc.AddNL(u"b", 0, 0);
  EXPECT_EQ(Doc.Actions.size(), 6u);     // inserting and inserted for each
  std::vector<std::pair<int, int>> Seen; // (index of the item, items in the list)
  Doc.OnItemAction = [&](TRPItemAction Action, TCustomRPItemInfo& Item) {
    if (Action == rpiaDestroying)
      Seen.push_back({Doc.GetItemNo(&Item), Doc.GetItemCount()});
  };
  Doc.DeleteItems(0, 2);
  EXPECT_EQ(Seen, (std::vector<std::pair<int, int>>{{-1, 1}, {-1, 1}}));
  EXPECT_EQ(TFakeCountedPicture::Live(), Live);
  EXPECT_EQ(Doc.FirstCP, nullptr); // went with its item
  EXPECT_EQ(Doc.GetItemTextW(0), u"b");
  Doc.OnItemAction = nullptr;
}

TEST_F(Container, ClearEmptiesEverythingAndResetsTheState) {
  AddMarker(0);
  Doc.AddNamedCheckpointExTag("a", false, {});
  Doc.AddNL(u"a", 0, -1);
  Doc.AddNamedCheckpointExTag("pending", false, {});
  Doc.State.Include(rpstFirstParaAborted).Include(rpstLastParaAborted);
  Doc.FFirstParaListNo = 3;
  Doc.FFirstParaLevel = 1;
  std::vector<bool> ClearingWhileFreed;
  Doc.OnItemAction = [&](TRPItemAction Action, TCustomRPItemInfo&) {
    if (Action == rpiaDestroying)
      ClearingWhileFreed.push_back(Doc.State.Contains(rpstClearing));
  };
  Doc.Clear();
  EXPECT_EQ(ClearingWhileFreed, (std::vector<bool>{true, true}));
  EXPECT_EQ(Doc.GetItemCount(), 0);
  EXPECT_TRUE(Doc.State.Empty());
  EXPECT_EQ(Doc.FFirstParaListNo, -1);
  EXPECT_EQ(Doc.FFirstParaLevel, -1);
  EXPECT_EQ(Doc.NotAddedCP.get(), nullptr);
  EXPECT_EQ(Doc.FirstCP, nullptr);
  EXPECT_EQ(Doc.LastCP, nullptr);
  EXPECT_EQ(Doc.AddNamedCheckpointExTag("again", false, {}), 0);

  Doc.State.Include(rpstClearing); // someone else's clearing goes on
  Doc.Clear();
  EXPECT_TRUE(Doc.State.Contains(rpstClearing));
  Doc.OnItemAction = nullptr;
}

// ---------------------------------------------------------------- nested documents

TEST_F(Container, NestedDocumentsAskTheirRoot) {
  TTestDocument Cell(nullptr, &Doc);
  TTestDocument Inner(nullptr, &Cell);
  EXPECT_EQ(Inner.GetRPStyle(), &Sheet);
  EXPECT_EQ(Inner.GetRootData(), &Doc);
  EXPECT_EQ(Inner.GetAbsoluteRootData(), &Doc);
  EXPECT_EQ(Doc.GetRootData(), &Doc);
  Doc.BiDiMode = rpbdRightToLeft;
  EXPECT_EQ(Inner.GetBiDiMode(), rpbdRightToLeft);

  const std::u16string Defaults = Inner.GetDelimiters();
  EXPECT_EQ(Defaults.size(), 31u);
  EXPECT_NE(Defaults.find(u'\u2026'), std::u16string::npos);
  EXPECT_NE(Defaults.find(u'\\'), std::u16string::npos);
  Doc.Delimiters = u" ";
  EXPECT_EQ(Inner.GetDelimiters(), u" ");
}

} // namespace
