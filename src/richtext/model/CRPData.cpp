#include "richtext/model/CRPData.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"

namespace {

constexpr const char* UnicodeError = "Can't perform Unicode operation";
constexpr const char* IndexError = "Item index is out of bounds";

// Half a UTF-16 code unit is not text; refused before anything changes.
void RequireEvenUnicode(bool Unicode, std::string_view Text) {
  if (Unicode && Text.size() % 2 != 0)
    throw ERichPaneError(UnicodeError);
}

// Where an item lands when it is appended, decided before anything is appended, so
// that adding text can choose its encoding, and refuse, without changing the
// document.
struct TPlacement {
  bool SameAsPrev;
  bool BR;
  int ParaNo;
};

TPlacement PlaceItem(const TCustomRPData& RPData, int ParaNo, bool WantsBR, bool FullWidth,
                     bool StartsPara = false) {
  const int Count = RPData.GetItemCount();
  const TCustomRPItemInfo* Last = Count > 0 ? RPData.GetItem(Count - 1) : nullptr;
  // A list marker begins its paragraph, whatever adding would otherwise do there; asked
  // for no paragraph style, it takes that of the item before it.
  if (StartsPara)
    return {false, false, ParaNo != -1 ? ParaNo : Last ? Last->ParaNo : 0};
  const bool AfterFullLine = Last && Last->GetBoolValue(rpbpFullWidth);
  if (ParaNo == -1 && Last && !AfterFullLine)
    return {true, false, Last->ParaNo};
  // A line break never follows a full-line item (that item is a paragraph of its
  // own) and always stays in the paragraph it breaks, whatever style was asked for.
  const bool BR =
      (WantsBR || !RPData.GetAddParagraphMode()) && !FullWidth && Last && !AfterFullLine;
  if (BR)
    return {false, true, Last->ParaNo};
  return {false, false, ParaNo == -1 ? 0 : ParaNo};
}

// A text item's text style, rpsDefStyle resolved through paragraph ParaNo and the
// style-template mapping applied, without storing anything.
int ActualTextStyle(const TCustomRPData& RPData, int StyleNo, int ParaNo) {
  StyleNo = RP_ResolveDefStyle(RPData.GetRPStyle(), StyleNo, ParaNo);
  if (StyleNo >= 0 && RPData.UseStyleTemplates())
    StyleNo = RPData.GetStyleFromStyleTemplate(StyleNo);
  return StyleNo;
}

bool IsUnicodeStyle(const TCustomRPData& RPData, int StyleNo) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  return RPStyle && StyleNo >= 0 && RPStyle->TextStyles[StyleNo].Unicode;
}

bool IsSymbolStyle(const TCustomRPData& RPData, int StyleNo) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  return RPStyle && StyleNo >= 0 && RPStyle->TextStyles[StyleNo].IsSymbolCharset();
}

// 8-bit text of a text style and UTF-16 both ways. Symbol fonts have no code page
// of their own: byte b is the character U+F000 + b, as the symbol fonts answer.
std::u16string StyleBytesToUnicode(const TCustomRPData& RPData, std::string_view Bytes,
                                   int StyleNo) {
  if (IsSymbolStyle(RPData, StyleNo))
    return RPU_SymbolCharsetToUnicode(Bytes);
  return RP_AnsiToUnicode(Bytes, RPData.GetStyleCodePage(StyleNo));
}

std::string UnicodeToStyleBytes(const TCustomRPData& RPData, std::u16string_view Text,
                                int StyleNo) {
  if (IsSymbolStyle(RPData, StyleNo))
    return RP_SymbolCharsetToAnsiCharset(Text);
  return RP_UnicodeToAnsi(Text, RPData.GetStyleCodePage(StyleNo));
}

// The 8-bit form of Unicode text of a text style and back. Symbol text goes through
// the system ANSI code page, which is then traded for the style's own.
std::string UnicodeToAnsiText(const TCustomRPData& RPData, std::u16string_view Text, int StyleNo) {
  const int CodePage = RPData.GetStyleCodePage(StyleNo);
  if (!IsSymbolStyle(RPData, StyleNo))
    return RP_UnicodeToAnsi(Text, CodePage);
  std::string Bytes = RP_SymbolCharsetToAnsiCharset(Text);
  if (CodePage != CP_ACP)
    Bytes = RP_UnicodeToAnsi(RP_AnsiToUnicode(Bytes, CP_ACP), CodePage);
  return Bytes;
}

std::u16string AnsiTextToUnicode(const TCustomRPData& RPData, std::string_view Bytes, int StyleNo) {
  const int CodePage = RPData.GetStyleCodePage(StyleNo);
  if (!IsSymbolStyle(RPData, StyleNo))
    return RP_AnsiToUnicode(Bytes, CodePage);
  if (CodePage == CP_ACP)
    return RPU_SymbolCharsetToUnicode(Bytes);
  return RPU_SymbolCharsetToUnicode(RP_UnicodeToAnsi(RP_AnsiToUnicode(Bytes, CodePage), CP_ACP));
}

// "%s" takes the next argument and "%%" is "%"; any other "%" stays as it is, so
// that text from outside can never be read as a pattern of its own.
std::u16string FormatText(std::u16string_view Format, const std::vector<std::u16string>& Args) {
  std::u16string Result;
  size_t NextArg = 0;
  for (size_t i = 0; i < Format.size(); ++i) {
    if (Format[i] == u'%' && i + 1 < Format.size()) {
      if (Format[i + 1] == u'%') {
        Result += u'%';
        ++i;
        continue;
      }
      if (Format[i + 1] == u's') {
        if (NextArg >= Args.size())
          throw ERichPaneError("Format has more arguments than were given");
        Result += Args[NextArg++];
        ++i;
        continue;
      }
    }
    Result += Format[i];
  }
  return Result;
}

// The delimiters of word selection when no viewer says otherwise.
constexpr char16_t DefaultDelimiters[] = u" .;,:(){}\"/\\<>!?[]\u2018\u2019\u201C\u201D-+*="
                                         u"\u00A0\u201E\u00AB\u00BB\u2026";

} // namespace

// ---------------------------------------------------------------- item list

void TRPItemList::MoveGapTo(size_t Index) {
  const auto Slots = FItems.begin();
  if (Index < FGapStart) {
    std::move_backward(Slots + static_cast<ptrdiff_t>(Index),
                       Slots + static_cast<ptrdiff_t>(FGapStart),
                       Slots + static_cast<ptrdiff_t>(FGapEnd));
    FGapEnd -= FGapStart - Index;
    FGapStart = Index;
  } else if (Index > FGapStart) {
    const size_t Shift = Index - FGapStart;
    std::move(Slots + static_cast<ptrdiff_t>(FGapEnd),
              Slots + static_cast<ptrdiff_t>(FGapEnd + Shift),
              Slots + static_cast<ptrdiff_t>(FGapStart));
    FGapStart += Shift;
    FGapEnd += Shift;
  }
}

void TRPItemList::AddObject(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item) {
  InsertObject(Count(), std::move(Text), std::move(Item));
}

void TRPItemList::InsertObject(int Index, std::string Text,
                               std::unique_ptr<TCustomRPItemInfo> Item) {
  if (Index < 0 || Index > Count())
    throw ERichPaneError(IndexError);
  Item->SetItemText(std::move(Text));
  InsertObject(Index, std::move(Item));
}

void TRPItemList::InsertObject(int Index, std::unique_ptr<TCustomRPItemInfo> Item) {
  if (Index < 0 || Index > Count())
    throw ERichPaneError(IndexError);
  MoveGapTo(static_cast<size_t>(Index));
  // The list grows by half, so that adding stays amortized constant.
  const size_t Grow = std::max<size_t>(16, FItems.size() / 2);
  if (FGapStart == FGapEnd && FGapEnd == FItems.size()) {
    // Appending: the slots the list grows by are not made, and their memory not touched,
    // until items take them.
    if (FItems.size() == FItems.capacity())
      FItems.reserve(FItems.size() + Grow);
    FItems.push_back(std::move(Item));
    FGapStart = FGapEnd = FItems.size();
    return;
  }
  if (FGapStart == FGapEnd) {
    const size_t OldSize = FItems.size();
    // Exactly that much: the vector's own growth would double the slots of a large document.
    FItems.reserve(OldSize + Grow);
    FItems.resize(OldSize + Grow);
    std::move_backward(FItems.begin() + static_cast<ptrdiff_t>(FGapStart),
                       FItems.begin() + static_cast<ptrdiff_t>(OldSize), FItems.end());
    FGapEnd = FGapStart + Grow;
  }
  FItems[FGapStart++] = std::move(Item);
}

int TRPItemList::IndexOfObject(const TCustomRPItemInfo* Item) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == Item)
      return i;
  return -1;
}

std::unique_ptr<TCustomRPItemInfo> TRPItemList::Extract(int Index) {
  if (Index < 0 || Index >= Count())
    throw ERichPaneError(IndexError);
  MoveGapTo(static_cast<size_t>(Index));
  return std::move(FItems[FGapEnd++]);
}

std::vector<std::unique_ptr<TCustomRPItemInfo>> TRPItemList::ExtractAll() {
  MoveGapTo(static_cast<size_t>(Count()));
  FItems.resize(FGapStart);
  FGapStart = FGapEnd = 0;
  return std::exchange(FItems, {});
}

void TRPItemList::Clear() {
  FItems.clear();
  FGapStart = FGapEnd = 0;
}

// ---------------------------------------------------------------- life

TCustomRPData::TCustomRPData() = default;

// Runs the base Clear: a derived document is gone by now and is told nothing.
TCustomRPData::~TCustomRPData() { Clear(); }

// ---------------------------------------------------------------- parents

TRPStyle* TCustomRPData::GetRPStyle() const {
  const TCustomRPData* Parent = GetParentData();
  return Parent ? Parent->GetRPStyle() : nullptr;
}

namespace {

// Notes and text boxes, whose documents would stop the plain root below the absolute
// one, are not built here: both roots are the top of the parent chain.
TCustomRPData* TopOfParents(const TCustomRPData& RPData) {
  const TCustomRPData* Data = &RPData;
  while (const TCustomRPData* Parent = Data->GetParentData())
    Data = Parent;
  return const_cast<TCustomRPData*>(Data);
}

} // namespace

TCustomRPData* TCustomRPData::GetRootData() const { return TopOfParents(*this); }

TCustomRPData* TCustomRPData::GetAbsoluteRootData() const { return TopOfParents(*this); }

TRPBiDiMode TCustomRPData::GetBiDiMode() const {
  const TCustomRPData* Root = GetRootData();
  return Root != this ? Root->GetBiDiMode() : rpbdUnspecified;
}

std::u16string TCustomRPData::GetDelimiters() const {
  const TCustomRPData* Parent = GetParentData();
  return Parent ? Parent->GetDelimiters() : std::u16string(DefaultDelimiters);
}

void TCustomRPData::ModifyStyleNoByTemplate(TCustomRPItemInfo& Item, int NewStyleNo) {
  // Non-text items keep their kind in StyleNo; their text style is the associated one.
  if (Item.StyleNo < 0)
    Item.SetAssociatedTextStyleNo(NewStyleNo);
  else
    Item.StyleNo = NewStyleNo;
}

// ---------------------------------------------------------------- adding

void TCustomRPData::AdjustItemParaNoBeforeAdding(TCustomRPItemInfo& Item) {
  const TPlacement Place =
      PlaceItem(*this, Item.ParaNo, Item.BR(), Item.GetBoolValue(rpbpFullWidth),
                Item.StyleNo == rpsListMarker);
  if (!Place.SameAsPrev && GetItemCount() > 0 &&
      GetItem(GetItemCount() - 1)->StyleNo == rpsListMarker) {
    // A marker alone would leave its paragraph without a line to measure. The pending
    // checkpoint is meant for Item, so the filler must not take it.
    std::unique_ptr<TRPCPInfo> Pending = std::move(NotAddedCP);
    try {
      AddNLRTag({}, 0, -1, {});
    } catch (...) {
      NotAddedCP = std::move(Pending);
      throw;
    }
    NotAddedCP = std::move(Pending);
  }
  Item.SetSameAsPrev(Place.SameAsPrev);
  Item.SetBR(Place.BR);
  Item.ParaNo = Place.ParaNo;
}

void TCustomRPData::AppendPrepared(std::optional<std::string> Text,
                                   std::unique_ptr<TCustomRPItemInfo> Item) {
  if (!Item)
    return;
  if (Text)
    RequireEvenUnicode(Item->Unicode(), *Text);
  // An item may come with a checkpoint of its own (a copy from elsewhere): it keeps it,
  // registered like one added by name, so that the chain and CPCount agree. A checkpoint
  // that is pending then waits for the next item without one; otherwise this item takes it.
  const bool Own = Item->Checkpoint() != nullptr;
  if (Own) {
    auto Copy = std::make_unique<TRPCPInfo>();
    Copy->Assign(*Item->Checkpoint());
    Item->SetCheckpoint(std::move(Copy));
    ++CPCount;
  } else if (NotAddedCP) {
    Item->SetCheckpoint(std::move(NotAddedCP));
  }
  TRPCPInfo* CP = Item->Checkpoint();
  if (CP) {
    RP_InsertCheckpoint(FirstCP, LastCP, *CP, LastCP);
    CP->ItemInfo = Item.get();
    CP->ItemNo = GetItemCount();
  }
  try {
    std::string NoText;
    Item->Inserting(this, Text ? *Text : NoText, !State.Contains(rpstClearing));
    if (Text)
      RequireEvenUnicode(Item->Unicode(), *Text);
  } catch (...) {
    // The item goes with the exception, and its own checkpoint with it; a pending one it
    // was to take waits for the next item.
    if (CP) {
      RP_UnlinkCheckpoint(FirstCP, LastCP, *CP);
      CP->ItemInfo = nullptr;
      CP->ItemNo = -1;
      if (Own)
        --CPCount;
      else
        NotAddedCP = Item->TakeCheckpoint();
    }
    throw;
  }
  TCustomRPItemInfo& Added = *Item;
  if (Text)
    FItems.AddObject(std::move(*Text), std::move(Item));
  else
    FItems.InsertObject(FItems.Count(), std::move(Item));
  Added.Inserted(this, GetItemCount() - 1);
}

void TCustomRPData::AddItemR(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item,
                             bool AdjustPara) {
  if (!Item)
    return;
  RequireEvenUnicode(Item->Unicode(), Text);
  if (AdjustPara)
    AdjustItemParaNoBeforeAdding(*Item);
  AppendPrepared(std::move(Text), std::move(Item));
}

void TCustomRPData::AddItemAsIsR(std::string Text, std::unique_ptr<TCustomRPItemInfo> Item) {
  AppendPrepared(std::move(Text), std::move(Item));
}

void TCustomRPData::AddItemAsIsR(std::unique_ptr<TCustomRPItemInfo> Item) {
  AppendPrepared(std::nullopt, std::move(Item));
}

void TCustomRPData::AddItem(std::u16string_view Text, std::unique_ptr<TCustomRPItemInfo> Item) {
  if (!Item)
    return;
  AdjustItemParaNoBeforeAdding(*Item);
  std::string Bytes;
  if (Item->Unicode())
    Bytes = RP_ToUtf16LE(Text);
  else if (Item->IsTextItem())
    Bytes = UnicodeToStyleBytes(*this, Text, ActualTextStyle(*this, Item->StyleNo, Item->ParaNo));
  else
    Bytes = RP_UnicodeToAnsi(Text, GetDefaultCodePage());
  const TCustomRPItemInfo* Added = Item.get();
  AddItemR(std::move(Bytes), std::move(Item), false);
  // Markers are registered by whoever adds them (SetListMarkerInfo, readers); a
  // sequence field must count at once.
  if (GetItemCount() > 0 && GetItem(GetItemCount() - 1) == Added)
    AddSeqInList(GetItemCount() - 1);
}

void TCustomRPData::AddNLRTag(std::string_view s, int StyleNo, int ParaNo, const std::string& Tag) {
  std::unique_ptr<TCustomRPItemInfo> Item = RichPaneTextItemClass(this);
  Item->StyleNo = StyleNo < 0 ? rpsDefStyle : StyleNo;
  Item->ParaNo = ParaNo;
  Item->SetTag(Tag);
  const TPlacement Place = PlaceItem(*this, ParaNo, false, false);
  const bool Unicode = IsUnicodeStyle(*this, ActualTextStyle(*this, Item->StyleNo, Place.ParaNo));
  RequireEvenUnicode(Unicode, s);
  std::string Text(s);
  AdjustItemParaNoBeforeAdding(*Item);
  Item->SetUnicode(Unicode);
  ReplaceTabs(Text, Item->StyleNo, Unicode);
  AppendPrepared(std::move(Text), std::move(Item));
}

void TCustomRPData::AddNLR(std::string_view s, int StyleNo, int ParaNo) {
  AddNLRTag(s, StyleNo, ParaNo, {});
}

void TCustomRPData::AddNLWTagRaw(std::string_view s, int StyleNo, int ParaNo,
                                 const std::string& Tag) {
  RequireEvenUnicode(true, s);
  const int Actual = ActualTextStyle(*this, StyleNo < 0 ? rpsDefStyle : StyleNo,
                                     PlaceItem(*this, ParaNo, false, false).ParaNo);
  if (IsUnicodeStyle(*this, Actual))
    AddNLRTag(s, StyleNo, ParaNo, Tag);
  else
    AddNLRTag(UnicodeToStyleBytes(*this, RP_FromUtf16LE(s), Actual), StyleNo, ParaNo, Tag);
}

void TCustomRPData::AddNLWTag(std::u16string_view s, int StyleNo, int ParaNo,
                              const std::string& Tag) {
  const int Actual = ActualTextStyle(*this, StyleNo < 0 ? rpsDefStyle : StyleNo,
                                     PlaceItem(*this, ParaNo, false, false).ParaNo);
  if (IsUnicodeStyle(*this, Actual))
    AddNLRTag(RP_ToUtf16LE(s), StyleNo, ParaNo, Tag);
  else
    AddNLRTag(UnicodeToStyleBytes(*this, s, Actual), StyleNo, ParaNo, Tag);
}

void TCustomRPData::AddNLTag(std::u16string_view s, int StyleNo, int ParaNo,
                             const std::string& Tag) {
  AddNLWTag(s, StyleNo, ParaNo, Tag);
}

void TCustomRPData::AddNL(std::u16string_view s, int StyleNo, int ParaNo) {
  AddNLWTag(s, StyleNo, ParaNo, {});
}

void TCustomRPData::AddNLATag(std::string_view s, int StyleNo, int ParaNo, const std::string& Tag) {
  const int Actual = ActualTextStyle(*this, StyleNo < 0 ? rpsDefStyle : StyleNo,
                                     PlaceItem(*this, ParaNo, false, false).ParaNo);
  if (IsUnicodeStyle(*this, Actual))
    AddNLRTag(RP_ToUtf16LE(AnsiTextToUnicode(*this, s, Actual)), StyleNo, ParaNo, Tag);
  else
    AddNLRTag(s, StyleNo, ParaNo, Tag);
}

void TCustomRPData::AddFmt(std::u16string_view Format, const std::vector<std::u16string>& Args,
                           int StyleNo, int ParaNo) {
  AddNL(FormatText(Format, Args), StyleNo, ParaNo);
}

void TCustomRPData::ReplaceTabs(std::string& s, int /*StyleNo*/, bool Unicode) const {
  const TRPStyle* RPStyle = GetRPStyle();
  const size_t Spaces = static_cast<size_t>(std::max(0, RPStyle ? RPStyle->SpacesInTab : 8));
  const size_t Step = Unicode ? 2 : 1;
  const std::string_view Tab = Unicode ? std::string_view("\t\0", 2) : std::string_view("\t");
  const std::string_view Space = Unicode ? std::string_view(" \0", 2) : std::string_view(" ");
  if (s.find(Tab) == std::string::npos)
    return;
  std::string Result;
  Result.reserve(s.size());
  for (size_t i = 0; i < s.size(); i += Step) {
    const std::string_view Unit = std::string_view(s).substr(i, Step);
    if (Unit == Tab)
      for (size_t n = 0; n < Spaces; ++n)
        Result += Space;
    else
      Result += Unit;
  }
  s = std::move(Result);
}

void TCustomRPData::AddTab(int TextStyleNo, int ParaNo) {
  auto Item = std::make_unique<TRPTabItemInfo>(this);
  Item->SetAssociatedTextStyleNo(TextStyleNo);
  Item->ParaNo = ParaNo;
  AddItemR({}, std::move(Item));
}

void TCustomRPData::AddBreakExTag(uint8_t Width, TRPBreakStyle Style, const std::string& Tag,
                                  TRPColor Color) {
  auto Item = std::make_unique<TRPBreakItemInfo>(this, Width, Style, Color);
  Item->ParaNo = 0;
  Item->SetTag(Tag);
  AddItemR({}, std::move(Item));
}

void TCustomRPData::AddBreakEx(uint8_t Width, TRPBreakStyle Style, TRPColor Color) {
  AddBreakExTag(Width, Style, {}, Color);
}

void TCustomRPData::AddBreakTag(const std::string& Tag) { AddBreakExTag(1, rpbsLine, Tag, clNone); }

void TCustomRPData::AddBreak() { AddBreakTag({}); }

void TCustomRPData::AddPictureExTag(const std::string& Name, std::unique_ptr<TRPPicture> Picture,
                                    int ParaNo, TRPVAlign VAlign, const std::string& Tag) {
  auto Item = std::make_unique<TRPGraphicItemInfo>(this, std::move(Picture), VAlign);
  Item->ParaNo = ParaNo;
  Item->SetTag(Tag);
  AddItemR(Name, std::move(Item));
}

void TCustomRPData::AddPictureEx(const std::string& Name, std::unique_ptr<TRPPicture> Picture,
                                 int ParaNo, TRPVAlign VAlign) {
  AddPictureExTag(Name, std::move(Picture), ParaNo, VAlign, {});
}

void TCustomRPData::AddHotPictureTag(const std::string& Name, std::unique_ptr<TRPPicture> Picture,
                                     int ParaNo, TRPVAlign VAlign, const std::string& Tag) {
  auto Item = std::make_unique<TRPHotGraphicItemInfo>(this, std::move(Picture), VAlign);
  Item->ParaNo = ParaNo;
  Item->SetTag(Tag);
  AddItemR(Name, std::move(Item));
}

void TCustomRPData::AddHotPicture(const std::string& Name, std::unique_ptr<TRPPicture> Picture,
                                  int ParaNo, TRPVAlign VAlign) {
  AddHotPictureTag(Name, std::move(Picture), ParaNo, VAlign, {});
}

void TCustomRPData::AddBulletExTag(const std::string& Name, int ImageIndex, TRPImageList* ImageList,
                                   int ParaNo, const std::string& Tag) {
  auto Item = std::make_unique<TRPBulletItemInfo>(this);
  Item->ImageList = ImageList;
  Item->ImageIndex = ImageIndex;
  Item->ParaNo = ParaNo;
  Item->SetTag(Tag);
  AddItemR(Name, std::move(Item));
}

void TCustomRPData::AddBulletEx(const std::string& Name, int ImageIndex, TRPImageList* ImageList,
                                int ParaNo) {
  AddBulletExTag(Name, ImageIndex, ImageList, ParaNo, {});
}

void TCustomRPData::AddHotspotExTag(const std::string& Name, int ImageIndex, int HotImageIndex,
                                    TRPImageList* ImageList, int ParaNo, const std::string& Tag) {
  auto Item = std::make_unique<TRPHotspotItemInfo>(this);
  Item->ImageList = ImageList;
  Item->ImageIndex = ImageIndex;
  Item->HotImageIndex = HotImageIndex;
  Item->ParaNo = ParaNo;
  Item->SetTag(Tag);
  AddItemR(Name, std::move(Item));
}

void TCustomRPData::AddHotspotEx(const std::string& Name, int ImageIndex, int HotImageIndex,
                                 TRPImageList* ImageList, int ParaNo) {
  AddHotspotExTag(Name, ImageIndex, HotImageIndex, ImageList, ParaNo, {});
}

void TCustomRPData::AddControlExTag(const std::string& Name,
                                    std::unique_ptr<TRPItemControl> Control, int ParaNo,
                                    TRPVAlign VAlign, const std::string& Tag) {
  auto Item = std::make_unique<TRPControlItemInfo>(this, std::move(Control), VAlign);
  Item->ParaNo = ParaNo;
  Item->SetTag(Tag);
  AddItemR(Name, std::move(Item));
}

void TCustomRPData::AddControlEx(const std::string& Name, std::unique_ptr<TRPItemControl> Control,
                                 int ParaNo, TRPVAlign VAlign) {
  AddControlExTag(Name, std::move(Control), ParaNo, VAlign, {});
}

int TCustomRPData::AddNamedCheckpointExTag(const std::string& Name, bool RaiseEvent,
                                           const std::string& Tag) {
  if (NotAddedCP)
    return CPCount - 1;
  NotAddedCP = std::make_unique<TRPCPInfo>();
  NotAddedCP->Name = Name;
  NotAddedCP->RaiseEvent = RaiseEvent;
  NotAddedCP->Tag = Tag;
  return CPCount++;
}

// ---------------------------------------------------------------- reading and changing

void TCustomRPData::ThrowIndexError() { throw ERichPaneError(IndexError); }

int TCustomRPData::GetItemStyle(int ItemNo) {
  TCustomRPItemInfo& Item = *GetItem(ItemNo);
  const int No = RP_ResolveDefStyle(GetRPStyle(), Item.StyleNo, Item.ParaNo);
  if (No < 0 || !UseStyleTemplates())
    return No;
  const int Mapped = GetStyleFromStyleTemplate(No);
  if (Mapped != No)
    ModifyStyleNoByTemplate(Item, Mapped);
  return Mapped;
}

int TCustomRPData::GetItemPara(int ItemNo) const { return GetItem(ItemNo)->ParaNo; }

TRPItemOptions TCustomRPData::GetItemOptions(int ItemNo) const {
  return GetItem(ItemNo)->ItemOptions();
}

bool TCustomRPData::IsParaStart(int ItemNo) const { return GetItem(ItemNo)->CanBeBorderStart(); }

bool TCustomRPData::IsFromNewLine(int ItemNo) const { return !GetItem(ItemNo)->SameAsPrev(); }

std::string_view TCustomRPData::GetItemTextR(int ItemNo) const {
  return GetItem(ItemNo)->ItemText();
}

void TCustomRPData::SetItemTextR(int ItemNo, std::string s) {
  TCustomRPItemInfo& Item = *GetItem(ItemNo);
  RequireEvenUnicode(Item.Unicode(), s);
  Item.SetItemText(std::move(s));
}

std::u16string TCustomRPData::GetItemTextW(int ItemNo) {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (Item.IsTextItem() && Item.Unicode())
    return RP_FromUtf16LE(Item.ItemText());
  if (Item.IsTextItem())
    return StyleBytesToUnicode(*this, Item.ItemText(), GetItemStyle(ItemNo));
  return RP_AnsiToUnicode(Item.ItemText(), GetItemCodePage(ItemNo));
}

void TCustomRPData::SetItemTextW(int ItemNo, std::u16string_view s) {
  TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (Item.IsTextItem() && Item.Unicode())
    Item.SetItemText(RP_ToUtf16LE(s));
  else if (Item.IsTextItem())
    Item.SetItemText(UnicodeToStyleBytes(*this, s, GetItemStyle(ItemNo)));
  else
    Item.SetItemText(RP_UnicodeToAnsi(s, GetItemCodePage(ItemNo)));
}

std::string TCustomRPData::GetItemTextA(int ItemNo) {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (!Item.IsTextItem() || !Item.Unicode())
    return std::string(Item.ItemText());
  return UnicodeToAnsiText(*this, RP_FromUtf16LE(Item.ItemText()), GetItemStyle(ItemNo));
}

void TCustomRPData::SetItemTextA(int ItemNo, std::string_view s) {
  TCustomRPItemInfo& Item = *GetItem(ItemNo);
  if (!Item.IsTextItem() || !Item.Unicode())
    Item.SetItemText(std::string(s));
  else
    Item.SetItemText(RP_ToUtf16LE(AnsiTextToUnicode(*this, s, GetItemStyle(ItemNo))));
}

std::string_view TCustomRPData::GetItemTag(int ItemNo) const { return GetItem(ItemNo)->Tag(); }

void TCustomRPData::SetItemTag(int ItemNo, std::string_view Tag) { GetItem(ItemNo)->SetTag(Tag); }

bool TCustomRPData::GetPageBreaksBeforeItems(int ItemNo) const {
  return GetItem(ItemNo)->PageBreakBefore();
}

void TCustomRPData::SetPageBreaksBeforeItems(int ItemNo, bool Value) {
  TCustomRPItemInfo* Item = GetItem(ItemNo);
  // The text after a marker shares its line; the break belongs before the whole
  // list paragraph, or it would tear the marker from its text.
  if (ItemNo > 0 && GetItem(ItemNo - 1)->StyleNo == rpsListMarker)
    Item = GetItem(ItemNo - 1);
  Item->SetPageBreakBefore(Value);
}

bool TCustomRPData::GetClearLeft(int ItemNo) const { return GetItem(ItemNo)->ClearLeft(); }

bool TCustomRPData::GetClearRight(int ItemNo) const { return GetItem(ItemNo)->ClearRight(); }

void TCustomRPData::SetClearLeft(int ItemNo, bool Value) { GetItem(ItemNo)->SetClearLeft(Value); }

void TCustomRPData::SetClearRight(int ItemNo, bool Value) { GetItem(ItemNo)->SetClearRight(Value); }

int TCustomRPData::ItemLength(int ItemNo) const { return GetItem(ItemNo)->ItemLength(); }

int TCustomRPData::GetOffsBeforeItem(int ItemNo) const {
  return GetItem(ItemNo)->IsTextItem() ? 1 : 0;
}

int TCustomRPData::GetOffsAfterItem(int ItemNo) const {
  const TCustomRPItemInfo& Item = *GetItem(ItemNo);
  return Item.IsTextItem() ? Item.ItemLength() + 1 : 1;
}

int TCustomRPData::GetItemCodePage(int ItemNo) { return GetStyleCodePage(GetItemStyle(ItemNo)); }

int TCustomRPData::GetStyleCodePage(int StyleNo) const {
  const TRPStyle* RPStyle = GetRPStyle();
  if (!RPStyle)
    return CP_ACP;
  // Character set 1 is "the default": the style sheet decides.
  if (StyleNo >= 0 && RPStyle->TextStyles[StyleNo].Charset != 1)
    return RPU_Charset2CodePage(RPStyle->TextStyles[StyleNo].Charset);
  return RPStyle->DefCodePage;
}

int TCustomRPData::GetDefaultCodePage() const {
  const TRPStyle* RPStyle = GetRPStyle();
  return RPStyle ? RPStyle->DefCodePage : CP_ACP;
}

void TCustomRPData::NormalizeParas(int ItemNo) {
  const int Count = GetItemCount();
  if (Count == 0)
    return;
  int First = std::clamp(ItemNo, 0, Count - 1);
  while (First > 0 && !GetItem(First)->CanBeBorderStart())
    --First;
  const int ParaNo = GetItem(First)->ParaNo;
  for (int i = First + 1; i < Count && !GetItem(i)->CanBeBorderStart(); ++i)
    GetItem(i)->ParaNo = ParaNo;
}

// ---------------------------------------------------------------- removing

void TCustomRPData::FreeItem(std::unique_ptr<TCustomRPItemInfo> Item, bool Clearing) {
  if (!Item)
    return;
  // The chain must lose the checkpoint even when someone told of the deletion throws:
  // the checkpoint dies with the item either way.
  struct TUnlink {
    TCustomRPData& RPData;
    TCustomRPItemInfo& Item;
    ~TUnlink() {
      if (Item.Checkpoint()) {
        RP_UnlinkCheckpoint(RPData.FirstCP, RPData.LastCP, *Item.Checkpoint());
        Item.SetCheckpoint(nullptr);
      }
    }
  } Unlink{*this, *Item};
  // Should this throw, the item still leaves its lists: it does so itself as it goes.
  ItemAction(rpiaDestroying, *Item);
  DeleteMarkerFromList(*Item, Clearing);
  DeleteSeqFromList(*Item, Clearing);
}

namespace {

// Frees every item even when one of them throws; the first exception goes on.
template <typename FreeFn>
void FreeAll(std::vector<std::unique_ptr<TCustomRPItemInfo>>& Items, FreeFn Free) {
  std::exception_ptr Failure;
  for (auto& Item : Items) {
    try {
      Free(std::move(Item));
    } catch (...) {
      if (!Failure)
        Failure = std::current_exception();
    }
  }
  if (Failure)
    std::rethrow_exception(Failure);
}

} // namespace

void TCustomRPData::DeleteItems(int FirstItemNo, int Count) {
  const int ItemCount = GetItemCount();
  if (FirstItemNo < 0 || FirstItemNo >= ItemCount || Count <= 0)
    return;
  Count = std::min(Count, ItemCount - FirstItemNo);
  // Out of the list first: whoever is told of a deletion sees the document as it
  // will be, never a pointer to an item about to go.
  std::vector<std::unique_ptr<TCustomRPItemInfo>> Detached;
  Detached.reserve(static_cast<size_t>(Count));
  for (int i = FirstItemNo + Count - 1; i >= FirstItemNo; --i)
    Detached.push_back(FItems.Extract(i));
  std::reverse(Detached.begin(), Detached.end());
  FreeAll(Detached,
          [this](std::unique_ptr<TCustomRPItemInfo> Item) { FreeItem(std::move(Item), false); });
}

void TCustomRPData::DeleteSection(const std::string& CheckpointName) {
  const TRPCPInfo* CP = FirstCP;
  while (CP && CP->Name != CheckpointName)
    CP = CP->Next;
  if (!CP)
    return;
  const int First = GetItemNo(CP->ItemInfo);
  const TRPCPInfo* End = CP->Next;
  while (End && End->Name.empty())
    End = End->Next;
  const int Last = End ? GetItemNo(End->ItemInfo) : GetItemCount();
  if (First >= 0 && Last > First)
    DeleteItems(First, Last - First);
}

void TCustomRPData::Clear() {
  struct TClearingState {
    TRPStates& State;
    bool WasClearing;
    ~TClearingState() {
      if (!WasClearing)
        State.Exclude(rpstClearing);
    }
  } Clearing{State, State.Contains(rpstClearing)};
  State.Include(rpstClearing);
  State.Exclude(rpstFirstParaAborted).Exclude(rpstLastParaAborted);
  FFirstParaListNo = -1;
  FFirstParaLevel = -1;
  // Item order is chain order, so every checkpoint leaves from the head.
  std::vector<std::unique_ptr<TCustomRPItemInfo>> Detached = FItems.ExtractAll();
  NotAddedCP.reset();
  CPCount = 0;
  // Every marker and field of the tree goes with the items (nested documents are
  // items of this one), so the lists go first rather than be emptied one by one.
  DestroyMarkers();
  DestroySeqList();
  FreeAll(Detached,
          [this](std::unique_ptr<TCustomRPItemInfo> Item) { FreeItem(std::move(Item), true); });
  FirstCP = nullptr;
  LastCP = nullptr;
}

void RP_ForEachDocument(TCustomRPData& Doc, const std::function<void(TCustomRPData&)>& Action) {
  Action(Doc);
  for (int i = 0; i < Doc.GetItemCount(); ++i)
    Doc.GetItem(i)->ForEachInnerDocument(
        [&Action](TCustomRPData& Inner) { RP_ForEachDocument(Inner, Action); });
}
