// Items as data: options, text storage, creation by style number, copying,
// checkpoints, extra properties, queries and the renumbering of styles.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPLabelItem.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"
#include "support/FakeGraphicInterface.h"
#include "support/FakePicture.h"
#include "support/TestDocument.h"

namespace {

class Items : public ::testing::Test {
protected:
  void SetUp() override { Sheet.GraphicInterface = &GI; }
  void TearDown() override { RichPaneSwitches.Reset(); }
  TRPStyle Sheet;
  TFakeGraphicInterface GI;
  TTestDocument Doc{&Sheet};
};

// ---------------------------------------------------------------- options

TEST_F(Items, SameAsPrevClearsLineAndPageBreaks) {
  TRPTextItemInfo Item(&Doc);
  Item.SetPageBreakBefore(true);
  EXPECT_TRUE(Item.ParaStart(false));
  Item.SetSameAsPrev(true);
  EXPECT_EQ(Item.ItemOptions(), TRPItemOptions{rpioSameAsPrev});
  Item.SetBR(true);
  EXPECT_EQ(Item.ItemOptions(), TRPItemOptions{rpioBR});
  EXPECT_FALSE(Item.CanBeBorderStart());
  EXPECT_TRUE(Item.ParaStart(true));
  EXPECT_FALSE(Item.ParaStart(false));
  Item.SetSameAsPrev(true);
  EXPECT_EQ(Item.ItemOptions(), TRPItemOptions{rpioSameAsPrev});
  Item.SetPageBreakBefore(true);
  EXPECT_EQ(Item.ItemOptions(), TRPItemOptions{rpioPageBreakBefore});
  EXPECT_TRUE(Item.CanBeBorderStart());
}

TEST_F(Items, BreakNeverTakesALineBreak) {
  TRPBreakItemInfo Break(&Doc);
  Break.SetSameAsPrev(true);
  Break.SetBR(true);
  EXPECT_FALSE(Break.BR());
  EXPECT_TRUE(Break.SameAsPrev()); // refused, so nothing else changed either
  TRPTabItemInfo Tab(&Doc);
  Tab.SetBR(true);
  EXPECT_TRUE(Tab.BR());
}

TEST_F(Items, ClearingFloatsOnlyWhereALineStarts) {
  TRPTextItemInfo Item(&Doc);
  Item.SetSameAsPrev(true);
  Item.SetClearLeft(true);
  Item.SetClearRight(true);
  EXPECT_FALSE(Item.ClearLeft());
  EXPECT_FALSE(Item.ClearRight());
  Item.SetSameAsPrev(false);
  Item.SetClearLeft(true);
  EXPECT_TRUE(Item.ClearLeft());
  Item.SetClearLeft(false);
  EXPECT_FALSE(Item.ClearLeft());
}

TEST_F(Items, AssignParaPropertiesGoesThroughTheSetters) {
  TRPTextItemInfo Source(&Doc);
  Source.SetBR(true);
  Source.SetClearRight(true);
  TRPBreakItemInfo Break(&Doc);
  Break.AssignParaProperties(Source);
  EXPECT_EQ(Break.ItemOptions(), TRPItemOptions{rpioClearRight});
}

// ---------------------------------------------------------------- text

TEST_F(Items, UnicodeTextIsDecodedAsLittleEndianUnits) {
  TRPTextItemInfo Item(&Doc);
  Item.SetItemTextW(u"A\u0142\U0001F600");
  EXPECT_TRUE(Item.Unicode());
  EXPECT_EQ(Item.ItemText(), std::string("A\0\x42\x01\x3D\xD8\x00\xDE", 8));
  EXPECT_EQ(Item.ItemLength(), 4);
  EXPECT_EQ(Item.TextView().ToUnits(), u"A\u0142\U0001F600");
  Item.SetUnicode(false);
  EXPECT_EQ(Item.ItemLength(), 8);
  EXPECT_EQ(Item.TextView()[2], u'\x42');
}

TEST_F(Items, UnicodeSettersRefuseHalfACodeUnit) {
  TRPTextItemInfo Item(&Doc);
  Item.SetItemTextW(u"ab");
  EXPECT_THROW(Item.SetItemText("abc"), ERichPaneError);
  EXPECT_EQ(Item.ItemText().size(), 4u);
  Item.SetUnicode(false);
  Item.SetItemText("abc");
  EXPECT_THROW(Item.SetUnicode(true), ERichPaneError);
  EXPECT_THROW(Item.SetItemOptions({rpioUnicode, rpioBR}), ERichPaneError);
  EXPECT_EQ(Item.ItemOptions(), TRPItemOptions{});
  // Copying options from a Unicode item cannot sneak the flag past the check either.
  TRPTextItemInfo Unicode(&Doc);
  Unicode.SetItemTextW(u"x");
  Item.Assign(Unicode);
  EXPECT_FALSE(Item.Unicode());
}

TEST_F(Items, NonTextItemsAreOneCharacterLong) {
  TRPTabItemInfo Tab(&Doc);
  Tab.SetItemText("a long name");
  EXPECT_EQ(Tab.ItemLength(), 1);
  EXPECT_FALSE(Tab.IsTextItem());
  TRPTextItemInfo Item(&Doc);
  Item.StyleNo = rpsDefStyle;
  EXPECT_TRUE(Item.IsTextItem());
}

// ---------------------------------------------------------------- creation

class TCustomItem : public TRPNonTextItemInfo {
public:
  using TRPNonTextItemInfo::TRPNonTextItemInfo;
  std::unique_ptr<TCustomRPItemInfo> NewInstance(TCustomRPData* RPData) const override {
    return std::make_unique<TCustomItem>(RPData);
  }
};

TEST_F(Items, EveryBuiltInStyleNumberMakesItsClass) {
  const std::vector<std::pair<int32_t, const std::type_info*>> Expected = {
      {0, &typeid(TRPTextItemInfo)},
      {7, &typeid(TRPTextItemInfo)},
      {rpsDefStyle, &typeid(TRPTextItemInfo)},
      {rpsBreak, &typeid(TRPBreakItemInfo)},
      {rpsPicture, &typeid(TRPGraphicItemInfo)},
      {rpsHotspot, &typeid(TRPHotspotItemInfo)},
      {rpsComponent, &typeid(TRPControlItemInfo)},
      {rpsBullet, &typeid(TRPBulletItemInfo)},
      {rpsHotPicture, &typeid(TRPHotGraphicItemInfo)},
      {rpsTab, &typeid(TRPTabItemInfo)},
      {rpsLabel, &typeid(TRPLabelItemInfo)},
      {rpsSequence, &typeid(TRPSeqItemInfo)}};
  for (const auto& [StyleNo, Class] : Expected) {
    const std::unique_ptr<TCustomRPItemInfo> Item = CreateRichPaneItem(StyleNo, &Doc);
    ASSERT_NE(Item, nullptr) << StyleNo;
    EXPECT_EQ(typeid(*Item), *Class) << StyleNo;
    EXPECT_EQ(Item->StyleNo, StyleNo);
    EXPECT_EQ(Item->DrawItemNo, -1);
  }
  for (int32_t StyleNo : {rpsCheckpoint, rpsBack, rpsTable, -300})
    EXPECT_EQ(CreateRichPaneItem(StyleNo, &Doc), nullptr) << StyleNo;
}

TEST_F(Items, RegistryTakesNumbersBelowMinusNineOnce) {
  auto ExpectRefused = [](int32_t StyleNo, TRPItemClass Class) {
    try {
      RegisterRichPaneItemClass(StyleNo, Class);
      ADD_FAILURE() << StyleNo << " was registered";
    } catch (const ERichPaneError& E) {
      EXPECT_STREQ(E.what(),
                   "Can't register RichPane item type - this StyleNo is already registered");
    }
  };
  ExpectRefused(rpsComponent, &RPItemClassOf<TCustomItem>);
  ExpectRefused(-9, &RPItemClassOf<TCustomItem>);
  RegisterRichPaneItemClass(-310, &RPItemClassOf<TCustomItem>);
  RegisterRichPaneItemClass(-310, &RPItemClassOf<TCustomItem>);
  ExpectRefused(-310, &RPItemClassOf<TRPTabItemInfo>);
  ExpectRefused(rpsLabel, &RPItemClassOf<TCustomItem>);
  RegisterRichPaneItemClass(rpsLabel, &RPItemClassOf<TRPLabelItemInfo>);
  const std::unique_ptr<TCustomRPItemInfo> Item = CreateRichPaneItem(-310, &Doc);
  ASSERT_NE(Item, nullptr);
  EXPECT_EQ(typeid(*Item), typeid(TCustomItem));
  EXPECT_EQ(Item->StyleNo, -310);
}

class TMarkedTextItem : public TRPTextItemInfo {
public:
  using TRPTextItemInfo::TRPTextItemInfo;
};

TEST_F(Items, TextItemClassIsReplaceable) {
  const TRPItemClass Saved = RichPaneTextItemClass;
  RichPaneTextItemClass = &RPItemClassOf<TMarkedTextItem>;
  const std::unique_ptr<TCustomRPItemInfo> Item = CreateRichPaneItem(3, &Doc);
  RichPaneTextItemClass = Saved;
  EXPECT_EQ(typeid(*Item), typeid(TMarkedTextItem));
  EXPECT_EQ(Item->StyleNo, 3);
}

// ---------------------------------------------------------------- copying

TEST_F(Items, AssignTakesStyleNoOnlyFromTheSameClass) {
  TRPHotGraphicItemInfo Hot(&Doc);
  Hot.ParaNo = 1;
  Hot.SetHint("hint");
  Hot.SetTag("tag");
  Hot.Alt = "alt";
  Hot.SetSameAsPrev(true);
  TRPGraphicItemInfo Plain(&Doc);
  Plain.Assign(Hot);
  EXPECT_EQ(Plain.StyleNo, rpsPicture);
  EXPECT_EQ(Plain.ParaNo, 1);
  EXPECT_EQ(Plain.Hint(), "hint");
  EXPECT_EQ(Plain.Tag(), "");
  EXPECT_EQ(Plain.Alt, "alt");
  EXPECT_TRUE(Plain.SameAsPrev());
}

TEST_F(Items, DuplicateCopiesTextTagAndCheckpointOnRequest) {
  TRPTabItemInfo Tab(&Doc);
  Tab.SetAssociatedTextStyleNo(3);
  Tab.Leader = ".";
  Tab.SetItemText("tab");
  Tab.SetTag("t");
  Tab.Hidden = true;
  Tab.SetCheckpoint(std::make_unique<TRPCPInfo>());
  Tab.Checkpoint()->Name = "here";
  Tab.Checkpoint()->Persistent = true;
  const auto Copy = RP_DuplicateItem(Tab, &Doc, true);
  const auto& CopyTab = dynamic_cast<const TRPTabItemInfo&>(*Copy);
  EXPECT_EQ(CopyTab.GetAssociatedTextStyleNo(), 3);
  EXPECT_EQ(CopyTab.Leader, ".");
  EXPECT_EQ(CopyTab.ItemText(), "tab");
  EXPECT_EQ(CopyTab.Tag(), "t");
  EXPECT_TRUE(CopyTab.Hidden);
  ASSERT_NE(CopyTab.Checkpoint(), nullptr);
  EXPECT_EQ(CopyTab.Checkpoint()->Name, "here");
  EXPECT_TRUE(CopyTab.Checkpoint()->Persistent);
  EXPECT_EQ(CopyTab.Checkpoint()->ItemInfo, Copy.get());
  EXPECT_EQ(RP_DuplicateItem(Tab, &Doc, false)->Checkpoint(), nullptr);
}

class PictureOwnership : public Items {
protected:
  void TearDown() override {
    Items::TearDown();
    EXPECT_EQ(TFakeCountedPicture::Live(), LiveBefore);
  }
  int LiveBefore = TFakeCountedPicture::Live();
};

TEST_F(PictureOwnership, DuplicateOwnsAFreshCopyAndLeavesTheSourceIntact) {
  auto Source = std::make_unique<TRPGraphicItemInfo>(
      &Doc, std::make_unique<TFakeCountedPicture>(32, 16), rpvaMiddle);
  TRPPicture* Original = Source->Image();
  {
    const auto Copy = RP_DuplicateItem(*Source, &Doc, false);
    const auto& Picture = dynamic_cast<const TRPGraphicItemInfo&>(*Copy);
    EXPECT_EQ(TFakeCountedPicture::Live(), LiveBefore + 2);
    EXPECT_NE(Picture.Image(), Original);
    EXPECT_FALSE(Picture.Shared());
    EXPECT_EQ(Picture.VAlign, rpvaMiddle);
  }
  EXPECT_EQ(TFakeCountedPicture::Live(), LiveBefore + 1);
  EXPECT_EQ(Source->Image(), Original);
  EXPECT_EQ(Original->Width(), 32);
}

TEST_F(PictureOwnership, CopyOfASharedPictureIsOwned) {
  TFakeCountedPicture Shared(10, 10);
  {
    TRPGraphicItemInfo Source(&Doc);
    Source.SetSharedImage(&Shared);
    TRPGraphicItemInfo Copy(&Doc, std::make_unique<TFakeCountedPicture>(1, 1), rpvaBaseline);
    Copy.Assign(Source); // the copy's previous picture is its own and goes
    EXPECT_EQ(TFakeCountedPicture::Live(), LiveBefore + 2);
    EXPECT_FALSE(Copy.Shared());
    EXPECT_NE(Copy.Image(), &Shared);
  }
  EXPECT_EQ(TFakeCountedPicture::Live(), LiveBefore + 1);
}

TEST_F(PictureOwnership, APictureThatCannotBeCopiedIsSharedOnlyWhenItWasShared) {
  TFakeCountedPicture Shared(10, 10, rppkMetafile, false);
  TRPGraphicItemInfo FromShared(&Doc);
  TRPGraphicItemInfo Source(&Doc);
  Source.SetSharedImage(&Shared);
  FromShared.Assign(Source);
  EXPECT_EQ(FromShared.Image(), &Shared);
  EXPECT_TRUE(FromShared.Shared());

  TRPGraphicItemInfo Owner(&Doc, std::make_unique<TFakeCountedPicture>(5, 5, rppkOther, false),
                           rpvaBaseline);
  TRPGraphicItemInfo FromOwned(&Doc);
  FromOwned.Assign(Owner);
  EXPECT_EQ(FromOwned.Image(), nullptr);
  EXPECT_FALSE(FromOwned.GetBoolValue(rpbpValid));
}

// ---------------------------------------------------------------- checkpoints

TEST_F(Items, CheckpointChainKeepsItsEnds) {
  TRPCPInfo A, B, C;
  TRPCPInfo* First = nullptr;
  TRPCPInfo* Last = nullptr;
  RP_InsertCheckpoint(First, Last, B, nullptr);
  RP_InsertCheckpoint(First, Last, C, &B);
  RP_InsertCheckpoint(First, Last, A, nullptr);
  EXPECT_EQ(First, &A);
  EXPECT_EQ(A.Next, &B);
  EXPECT_EQ(C.Prev, &B);
  EXPECT_EQ(Last, &C);
  RP_UnlinkCheckpoint(First, Last, C);
  EXPECT_EQ(Last, &B);
  EXPECT_EQ(B.Next, nullptr);
  RP_UnlinkCheckpoint(First, Last, A);
  RP_UnlinkCheckpoint(First, Last, B);
  EXPECT_EQ(First, nullptr);
  EXPECT_EQ(Last, nullptr);
}

// ---------------------------------------------------------------- extra properties

TEST_F(Items, ExtraPropertiesBelongToTheItemsThatHaveThem) {
  TRPTextItemInfo Text(&Doc);
  int32_t Value = -7;
  EXPECT_FALSE(Text.SetExtraIntProperty(rpepHidden, 1));
  EXPECT_FALSE(Text.GetExtraIntProperty(rpepSpacing, Value));
  EXPECT_EQ(Value, -7);
  EXPECT_TRUE(Text.SetExtraStrProperty(rpespHint, "h"));
  EXPECT_EQ(Text.Hint(), "h");
  EXPECT_FALSE(Text.SetExtraStrProperty(rpespAlt, "a"));

  TRPBulletItemInfo Bullet(&Doc);
  EXPECT_TRUE(Bullet.SetExtraIntProperty(rpepSpacing, -5));
  EXPECT_TRUE(Bullet.SetExtraIntProperty(rpepBorderWidth, -1));
  EXPECT_TRUE(Bullet.SetExtraIntProperty(rpepOuterVSpacing, 4));
  EXPECT_EQ(Bullet.Spacing, 0);
  EXPECT_EQ(Bullet.BorderWidth, 0);
  EXPECT_EQ(Bullet.GetBorderHeight(), 4);
  EXPECT_TRUE(Bullet.SetExtraIntProperty(rpepVAlign, rpvaRight));
  EXPECT_TRUE(Bullet.GetBoolValue(rpbpFloating));
  EXPECT_FALSE(Bullet.SetExtraIntProperty(rpepVAlign, 7));
  EXPECT_FALSE(Bullet.SetExtraIntProperty(rpepImageWidth, 3));
  EXPECT_TRUE(Bullet.SetExtraIntProperty(rpepHidden, 1));
  EXPECT_TRUE(Bullet.Hidden);
  EXPECT_STREQ(RP_ExtraItemPropertyName(rpepDeleteProtect), "unremovable");
  EXPECT_STREQ(RP_ExtraItemStrPropertyName(rpespImageFileName), "filename");
}

TEST_F(Items, TransparencyIsABitmapProperty) {
  TRPGraphicItemInfo Png(&Doc, std::make_unique<TFakeCountedPicture>(4, 4, rppkPng), rpvaBaseline);
  int32_t Value = 0;
  EXPECT_FALSE(Png.SetExtraIntProperty(rpepTransparent, 1));
  EXPECT_FALSE(Png.GetExtraIntProperty(rpepTransparentColor, Value));
  TRPGraphicItemInfo Bitmap(&Doc, std::make_unique<TFakeCountedPicture>(4, 4), rpvaBaseline);
  EXPECT_TRUE(Bitmap.SetExtraIntProperty(rpepTransparent, 1));
  EXPECT_TRUE(Bitmap.SetExtraIntProperty(rpepTransparentColor, 0x00FF00));
  EXPECT_TRUE(Bitmap.Image()->Transparent);
  EXPECT_TRUE(Bitmap.GetExtraIntProperty(rpepTransparentColor, Value));
  EXPECT_EQ(Value, 0x00FF00);
  // Who owns a picture is not a number to be set.
  EXPECT_FALSE(Bitmap.SetExtraIntProperty(rpepShared, 1));
  EXPECT_TRUE(Bitmap.GetExtraIntProperty(rpepShared, Value));
  EXPECT_EQ(Value, 0);
}

// ---------------------------------------------------------------- queries

TEST_F(Items, BooleanQueriesFollowTheClass) {
  TRPTextItemInfo Text(&Doc);
  TRPBreakItemInfo Break(&Doc);
  TRPTabItemInfo Tab(&Doc);
  TRPControlItemInfo Control(&Doc);
  TRPGraphicItemInfo Vector(&Doc, std::make_unique<TFakeCountedPicture>(4, 4, rppkMetafile),
                            rpvaBaseline);
  EXPECT_TRUE(Text.GetBoolValue(rpbpValid));
  EXPECT_TRUE(Text.GetBoolValue(rpbpDocXInRun));
  EXPECT_FALSE(Text.GetBoolValue(rpbpFullWidth));
  EXPECT_TRUE(Break.GetBoolValue(rpbpFullWidth));
  EXPECT_TRUE(Break.GetBoolValue(rpbpIgnorePara));
  EXPECT_TRUE(Tab.GetBoolValue(rpbpAlwaysInText));
  EXPECT_FALSE(Tab.GetBoolValue(rpbpIgnorePara));
  EXPECT_FALSE(Control.GetBoolValue(rpbpValid));
  Control.SetResizable(true);
  EXPECT_TRUE(Control.GetBoolValue(rpbpResizable));
  Control.PercentWidth = 40;
  EXPECT_FALSE(Control.GetBoolValue(rpbpResizable));
  EXPECT_TRUE(Control.GetBoolValueEx(rpbpActualPrintSize, Sheet));

  EXPECT_TRUE(Text.GetBoolValueEx(rpbpPrintToBMP, Sheet));
  EXPECT_TRUE(Text.GetBoolValueEx(rpbpPrintToBMPIfNoMetafiles, Sheet));
  EXPECT_FALSE(Tab.GetBoolValueEx(rpbpPrintToBMPIfNoMetafiles, Sheet));
  EXPECT_FALSE(Vector.GetBoolValueEx(rpbpPrintToBMP, Sheet));
  EXPECT_TRUE(Vector.GetBoolValueEx(rpbpPrintToBMPIfNoMetafiles, Sheet));
}

TEST_F(Items, JumpQueriesFollowTheActualTextStyle) {
  TRPTextItemInfo Text(&Doc);
  Text.StyleNo = rpsJump1;
  EXPECT_TRUE(Text.GetBoolValueEx(rpbpJump, Sheet));
  EXPECT_FALSE(Text.GetBoolValueEx(rpbpHotColdJump, Sheet));
  Sheet.TextStyles[rpsJump1].HoverColor = clRed;
  EXPECT_TRUE(Text.GetBoolValueEx(rpbpHotColdJump, Sheet));
  Text.StyleNo = rpsDefStyle;
  Sheet.ParaStyles[1].DefStyleNo = rpsJump2;
  Text.ParaNo = 1;
  EXPECT_TRUE(Text.GetBoolValueEx(rpbpAllowsFocus, Sheet));
  Text.ParaNo = 0;
  EXPECT_FALSE(Text.GetBoolValueEx(rpbpAllowsFocus, Sheet));

  TRPHotspotItemInfo Hotspot(&Doc);
  EXPECT_TRUE(Hotspot.GetBoolValueEx(rpbpJump, Sheet));
  EXPECT_FALSE(Hotspot.GetBoolValueEx(rpbpHotColdJump, Sheet));
  Hotspot.HotImageIndex = 1;
  EXPECT_TRUE(Hotspot.GetBoolValueEx(rpbpHotColdJump, Sheet));
  EXPECT_EQ(Hotspot.GetImageIndex(true), 1);
  EXPECT_EQ(Hotspot.GetImageIndex(false), 0);
}

TEST_F(Items, LinksRunTheirJumpNumber) {
  Doc.FFirstJumpNo = 10;
  TRPTextItemInfo Plain(&Doc);
  Plain.SetJumpID(1);
  Plain.Execute(Doc);
  TRPTextItemInfo Link(&Doc);
  Link.StyleNo = rpsJump2;
  Link.SetJumpID(2);
  Link.Execute(Doc);
  TRPHotGraphicItemInfo Picture(&Doc);
  Picture.SetJumpID(3);
  Picture.Execute(Doc);
  TRPGraphicItemInfo NoLink(&Doc);
  NoLink.Execute(Doc);
  EXPECT_EQ(Doc.Jumps, (std::vector<int>{12, 13}));
}

TEST_F(Items, ActualTextStyleResolvesTheParagraphDefault) {
  TRPTextItemInfo Text(&Doc);
  Text.StyleNo = rpsDefStyle;
  Sheet.ParaStyles[0].DefStyleNo = -1;
  EXPECT_EQ(Text.GetActualTextStyleNo(Doc), 0);
  Text.ParaNo = 9; // the invalid paragraph style has no default either
  EXPECT_EQ(Text.GetActualTextStyleNo(Sheet), 0);
  Sheet.ParaStyles[1].DefStyleNo = 2;
  Text.ParaNo = 1;
  EXPECT_EQ(Text.GetActualTextStyleNo(Doc), 2);
  Doc.TemplateMap = {{2, 5}};
  EXPECT_EQ(Text.GetActualTextStyleNo(Doc), 5);
  EXPECT_EQ(Text.GetActualTextStyleNo(Sheet), 2);
  EXPECT_EQ(Text.StyleNo, rpsDefStyle);

  TRPTabItemInfo Tab(&Doc);
  Tab.SetAssociatedTextStyleNo(rpsDefStyle);
  Tab.ParaNo = 1;
  EXPECT_EQ(Tab.GetActualTextStyleNo(Sheet), 2);
}

TEST_F(Items, TemplateMappingIsStoredWhereTheItemKeepsItsTextStyle) {
  TRPTabItemInfo Tab(&Doc);
  TRPTextItemInfo Text(&Doc);
  Doc.ModifyStyleNoByTemplate(Tab, 4);
  Doc.ModifyStyleNoByTemplate(Text, 4);
  EXPECT_EQ(Tab.StyleNo, rpsTab);
  EXPECT_EQ(Tab.GetAssociatedTextStyleNo(), 4);
  EXPECT_EQ(Text.StyleNo, 4);
}

TEST_F(Items, InsertionIsReportedToTheDocument) {
  TRPBreakItemInfo Break(&Doc);
  std::string Text;
  Break.Inserting(&Doc, Text, true);
  Break.Inserted(&Doc, 0);
  ASSERT_EQ(Doc.Actions.size(), 2u);
  EXPECT_EQ(Doc.Actions[0].first, rpiaInserting);
  EXPECT_EQ(Doc.Actions[1].first, rpiaInserted);
  EXPECT_EQ(Doc.Actions[1].second, &Break);
}

// ---------------------------------------------------------------- styles in use

TEST_F(Items, UnusedStyleTablesAreIndexedOnlyWithinRange) {
  // Text styles 0..5; the paragraph 1 default is style 3.
  Sheet.ParaStyles[1].DefStyleNo = 3;
  TRPTextItemInfo Default(&Doc);
  Default.StyleNo = rpsDefStyle;
  Default.ParaNo = 1;
  TRPTextItemInfo Dangling(&Doc);
  Dangling.StyleNo = 99;
  Dangling.ParaNo = 7;
  TRPTextItemInfo Last(&Doc);
  Last.StyleNo = 5;
  TRPTabItemInfo Tab(&Doc);
  Tab.SetAssociatedTextStyleNo(4);
  TRPTabItemInfo LostTab(&Doc);
  LostTab.SetAssociatedTextStyleNo(-3);
  TRPLabelItemInfo Label(&Doc, rpsDefStyle, u"x"); // paragraph 0 has no default: style 0
  std::vector<TCustomRPItemInfo*> All = {&Default, &Dangling, &Last, &Tab, &LostTab, &Label};

  TRPDeleteUnusedStylesData Data;
  Data.RPStyle = &Sheet;
  Data.Init(Sheet.TextStyles.Count(), Sheet.ParaStyles.Count(), 0);
  for (TCustomRPItemInfo* Item : All)
    Item->MarkStylesInUse(Data);
  EXPECT_EQ(Data.UsedTextStyles.Count(), 6);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(Data.UsedTextStyles[i], i == 0 || i >= 3 ? 1 : 0) << i;

  Data.ConvertToShifts();
  for (TCustomRPItemInfo* Item : All)
    Item->UpdateStyles(Data);
  EXPECT_EQ(Default.StyleNo, rpsDefStyle);
  EXPECT_EQ(Last.StyleNo, 3);
  EXPECT_EQ(Tab.GetAssociatedTextStyleNo(), 2);
  EXPECT_EQ(Label.GetTextStyleNo(), rpsDefStyle);
  EXPECT_EQ(Default.ParaNo, 1);
  // References to no style: nothing to renumber them to.
  EXPECT_EQ(Dangling.ParaNo, -1);
  EXPECT_EQ(LostTab.GetAssociatedTextStyleNo(), -1);
  // A negative StyleNo would make a run a non-text item; it keeps being text.
  EXPECT_EQ(Dangling.StyleNo, rpsDefStyle);
}

TEST_F(Items, ParagraphStylesChangeByMapOrInOrder) {
  TRPTextItemInfo A(&Doc), B(&Doc), C(&Doc);
  A.ParaNo = 1;
  B.ParaNo = -1;
  C.ParaNo = 0;
  TRPIntegerList Map;
  Map.Add(4);
  Map.Add(6);
  TRPIntegerList Old;
  int Index = 0;
  for (TCustomRPItemInfo* Item : {&A, &B, &C})
    Item->ChangeParagraphStyles(&Map, nullptr, Index, &Old);
  EXPECT_EQ(A.ParaNo, 6);
  EXPECT_EQ(B.ParaNo, -1);
  EXPECT_EQ(C.ParaNo, 4);
  EXPECT_EQ(Old.Count(), 2);
  EXPECT_EQ(Index, 0);
  TRPIntegerList NewIndices;
  NewIndices.Add(8);
  NewIndices.Add(9);
  for (TCustomRPItemInfo* Item : {&A, &B, &C})
    Item->ChangeParagraphStyles(nullptr, &NewIndices, Index, nullptr);
  EXPECT_EQ(A.ParaNo, 8);
  EXPECT_EQ(C.ParaNo, 9);
  EXPECT_EQ(Index, 2);
}

TEST_F(Items, LengthsFollowTheSheetsUnits) {
  TRPBreakItemInfo Break(&Doc);
  Break.LineWidth = 2;
  TRPGraphicItemInfo Picture(&Doc);
  Picture.ImageWidth = 20;
  Picture.Spacing = 3;
  Break.ConvertToDifferentUnits(rpstuTwips, Sheet);
  Picture.ConvertToDifferentUnits(rpstuTwips, Sheet);
  EXPECT_EQ(Break.LineWidth, 30);
  EXPECT_EQ(Picture.ImageWidth, 300);
  EXPECT_EQ(Picture.ImageHeight, 0); // "own size" stays
  EXPECT_EQ(Picture.Spacing, 45);
}

} // namespace
