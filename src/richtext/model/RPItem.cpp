#include "richtext/model/RPItem.h"
#include "richtext/gfx/RPCodePage.h"

#include <cstring>
#include <iterator>
#include <memory_resource>
#include <mutex>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPItemPool.h"
#include "richtext/model/RPLabelItem.h"
#include "richtext/model/RPMarker.h"
#include "richtext/model/RPRectItems.h"
#include "richtext/model/RPSeqItem.h"
#include "richtext/model/RPStyle.h"
#include "richtext/model/RPTextBlocks.h"

TRPSpecialCharacters RPVisibleSpecialCharacters =
    TRPSpecialCharacters::Range(rpscSpace, rpcFloatingLines);
TRPParagraphMarks RPParagraphMarks = rppmStandard;

TRPTextDrawState RP_ItemToTextDrawState(TRPItemDrawState State) {
  TRPTextDrawState Result;
  Result.Set(rptsSelected, State.Contains(rpidsSelected));
  Result.Set(rptsHover, State.Contains(rpidsHover));
  Result.Set(rptsControlFocused, State.Contains(rpidsControlFocused));
  return Result;
}

// ---------------------------------------------------------------- property names

const char* RP_ExtraItemPropertyName(TRPExtraItemProperty Prop) {
  static constexpr const char* Names[] = {
      "",           "vshift",      "vshiftabs",       "width",         "height",    "transparent",
      "tmode",      "tcolor",      "minheightonpage", "spacing",       "resizable", "unremovable",
      "nohtmlsize", "ainterval",   "visible",         "hidden",        "shared",    "borderwidth",
      "color",      "bordercolor", "outerhspacing",   "outervspacing", "valign"};
  static_assert(std::size(Names) == rpepVAlign + 1);
  return Prop <= rpepVAlign ? Names[Prop] : "";
}

const char* RP_ExtraItemStrPropertyName(TRPExtraItemStrProperty Prop) {
  static constexpr const char* Names[] = {"", "hint", "alt", "filename", "tag"};
  static_assert(std::size(Names) == rpespTag + 1);
  return Prop <= rpespTag ? Names[Prop] : "";
}

// ---------------------------------------------------------------- unused styles

void TRPDeleteUnusedStylesData::Init(int TextStyleCount, int ParaStyleCount, int ListStyleCount) {
  UsedTextStyles.InitWith(0, TextStyleCount);
  UsedParaStyles.InitWith(0, ParaStyleCount);
  UsedListStyles.InitWith(0, ListStyleCount);
  ConvertedToShifts = false;
}

void TRPDeleteUnusedStylesData::Mark(TRPIntegerList& Table, int32_t Index) {
  if (Index >= 0 && Index < Table.Count())
    Table[Index] = 1;
}

void TRPDeleteUnusedStylesData::ConvertToShifts() {
  if (ConvertedToShifts)
    return;
  for (TRPIntegerList* Table : {&UsedTextStyles, &UsedParaStyles, &UsedListStyles}) {
    int32_t Deleted = 0;
    for (int i = 0; i < Table->Count(); ++i) {
      if ((*Table)[i] != 0) {
        (*Table)[i] = Deleted + 1;
      } else {
        (*Table)[i] = 0;
        ++Deleted;
      }
    }
  }
  ConvertedToShifts = true;
}

int32_t TRPDeleteUnusedStylesData::Renumbered(const TRPIntegerList& Shifts, int32_t Index) {
  if (Index < 0 || Index >= Shifts.Count() || Shifts[Index] <= 0)
    return -1;
  return Index + 1 - Shifts[Index];
}

// ---------------------------------------------------------------- checkpoints

void TRPCPInfo::Assign(const TRPCPInfo& Source) {
  Name = Source.Name;
  RaiseEvent = Source.RaiseEvent;
  Tag = Source.Tag;
  Persistent = Source.Persistent;
}

std::unique_ptr<TRPCPInfo> TRPCPInfo::CreateCopy() const {
  auto Copy = std::make_unique<TRPCPInfo>();
  Copy->Assign(*this);
  return Copy;
}

void RP_InsertCheckpoint(TRPCPInfo*& First, TRPCPInfo*& Last, TRPCPInfo& CP, TRPCPInfo* After) {
  CP.Prev = After;
  CP.Next = After ? After->Next : First;
  (CP.Prev ? CP.Prev->Next : First) = &CP;
  (CP.Next ? CP.Next->Prev : Last) = &CP;
}

void RP_UnlinkCheckpoint(TRPCPInfo*& First, TRPCPInfo*& Last, TRPCPInfo& CP) {
  (CP.Prev ? CP.Prev->Next : First) = CP.Next;
  (CP.Next ? CP.Next->Prev : Last) = CP.Prev;
  CP.Prev = nullptr;
  CP.Next = nullptr;
}

// ---------------------------------------------------------------- helpers

int32_t RP_ScreenToDeviceX(int32_t Value, const TRPScreenAndDevice* sad) {
  if (!sad || sad->ppixScreen <= 0 || sad->ppixDevice <= 0)
    return Value;
  return MulDiv(Value, sad->ppixDevice, sad->ppixScreen);
}

int32_t RP_ScreenToDeviceY(int32_t Value, const TRPScreenAndDevice* sad) {
  if (!sad || sad->ppiyScreen <= 0 || sad->ppiyDevice <= 0)
    return Value;
  return MulDiv(Value, sad->ppiyDevice, sad->ppiyScreen);
}

TRPStyle& RP_StyleOf(const TCustomRPData& RPData) {
  TRPStyle* RPStyle = RPData.GetRPStyle();
  if (!RPStyle)
    throw ERichPaneError("The document has no style sheet");
  return *RPStyle;
}

TRPColor RP_DefaultTextColor(const TRPStyle& RPStyle) { return RPStyle.TextStyles[0].Color; }

// ---------------------------------------------------------------- item base

// ---- checkpoints, tags and hints, kept apart: most items have none

namespace {

uint32_t CheckedTextSize(size_t Size) {
  if (Size > UINT32_MAX)
    throw ERichPaneError("An item's text or tag cannot be longer than 4 GiB");
  return static_cast<uint32_t>(Size);
}

// A copy of Bytes in the text blocks; nullptr for none.
char* StoredCopy(std::string_view Bytes) {
  char* Stored = RPTextBlocks::Allocate(CheckedTextSize(Bytes.size()));
  if (!Bytes.empty())
    std::memcpy(Stored, Bytes.data(), Bytes.size());
  return Stored;
}

} // namespace

// Links are the items that have extras most, so a record is a tag and a jump number, and
// what fewer items have goes in a part of its own. Tag bytes are kept in the text blocks.
struct TRPItemExtras {
  TRPItemExtras() = default;
  TRPItemExtras(const TRPItemExtras&) = delete;
  TRPItemExtras& operator=(const TRPItemExtras&) = delete;
  ~TRPItemExtras() { RPTextBlocks::Release(TagText); }

  std::string_view Tag() const { return {TagText, TagSize}; }
  void SetTag(std::string_view Value) {
    char* Stored = StoredCopy(Value);
    RPTextBlocks::Release(TagText);
    TagText = Stored;
    TagSize = static_cast<uint32_t>(Value.size());
  }

  char* TagText = nullptr;
  uint32_t TagSize = 0;
  int32_t JumpID = 0;
  struct TRare {
    std::unique_ptr<TRPCPInfo> Checkpoint;
    std::string Hint;
  };
  std::unique_ptr<TRare> Rare;

  TRare& MakeRare() {
    if (!Rare)
      Rare = std::make_unique<TRare>();
    return *Rare;
  }
  // Drops a rare part left empty; true when nothing is left at all.
  bool Tidy() {
    if (Rare && !Rare->Checkpoint && Rare->Hint.empty())
      Rare.reset();
    return TagSize == 0 && JumpID == 0 && !Rare;
  }
};

namespace {
std::mutex ExtrasMutex;
// The records come from a pool of their own: a document of many links has as many.
using TExtrasTable = std::pmr::unordered_map<const TCustomRPItemInfo*, TRPItemExtras>;
TExtrasTable& ExtrasTable() {
  static auto* Pool = new std::pmr::unsynchronized_pool_resource;
  static auto* Table = [] {
    auto* Made = new TExtrasTable(Pool);
    Made->max_load_factor(4);
    return Made;
  }();
  return *Table;
}
const std::string EmptyString;
} // namespace

TRPItemExtras* TCustomRPItemInfo::Extras() const {
  if (!FHasExtras)
    return nullptr;
  const std::lock_guard<std::mutex> Lock(ExtrasMutex);
  return &ExtrasTable().at(this);
}

template <typename TChange> void TCustomRPItemInfo::ChangeExtras(TChange&& Change) {
  const std::lock_guard<std::mutex> Lock(ExtrasMutex);
  auto& Table = ExtrasTable();
  const auto Found = FHasExtras ? Table.find(this) : Table.try_emplace(this).first;
  FHasExtras = true;
  Change(Found->second);
  if (Found->second.Tidy()) {
    Table.erase(Found);
    FHasExtras = false;
  }
}

// The header every item carries: a million short runs cost little more than their text.
static_assert(sizeof(TRPTextItemInfo) <= 32);
// A tab keeps its style number where the header leaves room.
static_assert(sizeof(TRPTabItemInfo) <= 72);

TCustomRPItemInfo::TCustomRPItemInfo(TCustomRPData* /*RPData*/) {}

void* TCustomRPItemInfo::operator new(size_t Size) { return RPItemPool::Allocate(Size); }

void TCustomRPItemInfo::operator delete(void* Memory, size_t Size) noexcept {
  RPItemPool::Release(Memory, Size);
}

TCustomRPItemInfo::~TCustomRPItemInfo() {
  RPTextBlocks::Release(FText);
  if (FHasExtras) {
    const std::lock_guard<std::mutex> Lock(ExtrasMutex);
    ExtrasTable().erase(this);
  }
}

void TCustomRPItemInfo::SetItemText(std::string_view Bytes) {
  if (Unicode() && Bytes.size() % 2 != 0)
    throw ERichPaneError("Unicode item text must have an even number of bytes");
  char* Text = StoredCopy(Bytes);
  RPTextBlocks::Release(FText);
  SetText(Text, Bytes.size());
}

void TCustomRPItemInfo::SetText(char* Text, size_t Size) {
  FText = Text;
  FShortSize = Size < RPTextBlocks::ShortTextLimit ? Size : RPTextBlocks::ShortTextLimit;
}

void TCustomRPItemInfo::AppendItemText(std::string_view Bytes) {
  if (Unicode() && Bytes.size() % 2 != 0)
    throw ERichPaneError("Unicode item text must have an even number of bytes");
  if (!Bytes.empty())
    std::memcpy(GrowText(Bytes.size()), Bytes.data(), Bytes.size());
}

void TCustomRPItemInfo::AppendItemTextW(std::u16string_view Text) {
  if (!Unicode())
    throw ERichPaneError("UTF-16 text can only be appended to a Unicode item");
  if (!Text.empty())
    RP_WriteUtf16LE(Text, GrowText(Text.size() * 2));
}

char* TCustomRPItemInfo::GrowText(size_t Count) {
  const size_t OldSize = TextSize();
  const uint32_t Size = CheckedTextSize(OldSize + Count);
  if (RPTextBlocks::TryExtend(FText, OldSize, Count)) {
    SetText(FText, Size);
  } else {
    // Room to grow, so that a text built by appending is copied a bounded number of times.
    char* Text = RPTextBlocks::Allocate(Size, size_t{Size} + Size / 2);
    if (OldSize != 0)
      std::memcpy(Text, FText, OldSize);
    RPTextBlocks::Release(FText);
    SetText(Text, Size);
  }
  return FText + OldSize;
}

void TCustomRPItemInfo::TakeItemTextOf(TCustomRPItemInfo& Next) {
  const size_t Size = TextSize();
  const size_t NextSize = Next.TextSize();
  if (RPTextBlocks::Absorb(FText, Size, Next.FText, NextSize)) {
    SetText(FText, Size + NextSize);
  } else {
    AppendItemText(Next.ItemText());
    RPTextBlocks::Release(Next.FText);
  }
  Next.SetText(nullptr, 0);
}

void TCustomRPItemInfo::SetItemTextW(std::u16string_view Text) {
  const uint32_t Size = CheckedTextSize(Text.size() * 2);
  char* Stored = RPTextBlocks::Allocate(Size);
  if (Size != 0)
    RP_WriteUtf16LE(Text, Stored);
  RPTextBlocks::Release(FText);
  SetText(Stored, Size);
  FItemOptions.Include(rpioUnicode);
}

TRPTextView TCustomRPItemInfo::TextView() const {
  return Unicode() ? TRPTextView::Utf16LE(ItemText()) : TRPTextView::Ansi(ItemText());
}

TRPCPInfo* TCustomRPItemInfo::Checkpoint() const {
  const TRPItemExtras* Own = Extras();
  return Own && Own->Rare ? Own->Rare->Checkpoint.get() : nullptr;
}

void TCustomRPItemInfo::SetCheckpoint(std::unique_ptr<TRPCPInfo> CP) {
  if (!CP && !FHasExtras)
    return;
  ChangeExtras([&CP](TRPItemExtras& Own) { Own.MakeRare().Checkpoint = std::move(CP); });
}

std::unique_ptr<TRPCPInfo> TCustomRPItemInfo::TakeCheckpoint() {
  std::unique_ptr<TRPCPInfo> CP;
  if (FHasExtras)
    ChangeExtras([&CP](TRPItemExtras& Own) {
      if (Own.Rare)
        CP = std::move(Own.Rare->Checkpoint);
    });
  return CP;
}

std::string_view TCustomRPItemInfo::Tag() const {
  const TRPItemExtras* Own = Extras();
  return Own ? Own->Tag() : std::string_view();
}

void TCustomRPItemInfo::SetTag(std::string_view Value) {
  if (Value.empty() && !FHasExtras)
    return;
  ChangeExtras([Value](TRPItemExtras& Own) { Own.SetTag(Value); });
}

const std::string& TCustomRPItemInfo::Hint() const {
  const TRPItemExtras* Own = Extras();
  return Own && Own->Rare ? Own->Rare->Hint : EmptyString;
}

int32_t TCustomRPItemInfo::JumpID() const {
  const TRPItemExtras* Own = Extras();
  return Own ? Own->JumpID : 0;
}

void TCustomRPItemInfo::SetJumpID(int32_t Value) {
  if (Value == 0 && !FHasExtras)
    return;
  ChangeExtras([Value](TRPItemExtras& Own) { Own.JumpID = Value; });
}

void TCustomRPItemInfo::SetHint(std::string Value) {
  if (Value.empty() && !FHasExtras)
    return;
  ChangeExtras([&Value](TRPItemExtras& Own) { Own.MakeRare().Hint = std::move(Value); });
}

int32_t TCustomRPItemInfo::ItemLength() const { return IsTextItem() ? TextView().Length() : 1; }

void TCustomRPItemInfo::SetItemOptions(TRPItemOptions Options) {
  if (Options.Contains(rpioUnicode) && TextSize() % 2 != 0)
    throw ERichPaneError("Unicode item text must have an even number of bytes");
  FItemOptions = Options;
}

void TCustomRPItemInfo::SetUnicode(bool Value) {
  SetItemOptions(TRPItemOptions(FItemOptions).Set(rpioUnicode, Value));
}

void TCustomRPItemInfo::SetSameAsPrev(bool Value) {
  if (Value) {
    FItemOptions.Exclude(rpioBR).Exclude(rpioPageBreakBefore).Include(rpioSameAsPrev);
  } else {
    FItemOptions.Exclude(rpioSameAsPrev);
  }
}

void TCustomRPItemInfo::SetBR(bool Value) {
  // A full-line item is on a line of its own anyway; a line break inside its
  // paragraph would mean nothing.
  if (Value && !GetBoolValue(rpbpFullWidth)) {
    FItemOptions.Exclude(rpioSameAsPrev).Include(rpioBR);
  } else {
    FItemOptions.Exclude(rpioBR);
  }
}

void TCustomRPItemInfo::SetPageBreakBefore(bool Value) {
  if (Value) {
    FItemOptions.Exclude(rpioSameAsPrev).Exclude(rpioBR).Include(rpioPageBreakBefore);
  } else {
    FItemOptions.Exclude(rpioPageBreakBefore);
  }
}

void TCustomRPItemInfo::SetClearLeft(bool Value) {
  if (!Value)
    FItemOptions.Exclude(rpioClearLeft);
  else if (!SameAsPrev())
    FItemOptions.Include(rpioClearLeft);
}

void TCustomRPItemInfo::SetClearRight(bool Value) {
  if (!Value)
    FItemOptions.Exclude(rpioClearRight);
  else if (!SameAsPrev())
    FItemOptions.Include(rpioClearRight);
}

bool TCustomRPItemInfo::CanBeBorderStart() const { return !SameAsPrev() && !BR(); }

bool TCustomRPItemInfo::ParaStart(bool CountBR) const {
  return !SameAsPrev() && (CountBR || !BR());
}

void TCustomRPItemInfo::AssignParaProperties(const TCustomRPItemInfo& Source) {
  SetSameAsPrev(Source.SameAsPrev());
  SetBR(Source.BR());
  SetPageBreakBefore(Source.PageBreakBefore());
  SetClearLeft(Source.ClearLeft());
  SetClearRight(Source.ClearRight());
}

void TCustomRPItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (typeid(*this) == typeid(Source))
    StyleNo = Source.StyleNo;
  ParaNo = Source.ParaNo;
  TRPItemOptions Options = Source.FItemOptions;
  // The text is not copied, so the Unicode flag goes with it only where this item's
  // own text can be read that way.
  if (TextSize() % 2 != 0)
    Options.Set(rpioUnicode, Unicode());
  FItemOptions = Options;
  SetHint(Source.Hint());
}

int RP_ResolveDefStyle(const TRPStyle* RPStyle, int StyleNo, int ParaNo) {
  if (StyleNo != rpsDefStyle)
    return StyleNo;
  const int DefStyleNo = RPStyle ? RPStyle->ParaStyles[ParaNo].DefStyleNo : -1;
  return DefStyleNo < 0 ? 0 : DefStyleNo;
}

int TCustomRPItemInfo::GetActualTextStyleNo(const TCustomRPData& RPData) const {
  int No = RP_ResolveDefStyle(RPData.GetRPStyle(),
                              IsTextItem() ? StyleNo : GetAssociatedTextStyleNo(), ParaNo);
  if (No >= 0 && RPData.UseStyleTemplates())
    No = RPData.GetStyleFromStyleTemplate(No);
  return No;
}

int TCustomRPItemInfo::GetActualTextStyleNo(const TRPStyle& RPStyle) const {
  return RP_ResolveDefStyle(&RPStyle, IsTextItem() ? StyleNo : GetAssociatedTextStyleNo(), ParaNo);
}

int TCustomRPItemInfo::ResolveTextStyleNo(TCustomRPData& RPData) {
  int No = RP_ResolveDefStyle(RPData.GetRPStyle(),
                              IsTextItem() ? StyleNo : GetAssociatedTextStyleNo(), ParaNo);
  if (No >= 0 && RPData.UseStyleTemplates()) {
    const int Mapped = RPData.GetStyleFromStyleTemplate(No);
    if (Mapped != No)
      RPData.ModifyStyleNoByTemplate(*this, Mapped);
    No = Mapped;
  }
  return No;
}

TRPBiDiMode TCustomRPItemInfo::GetParaBiDiMode(const TCustomRPData& RPData) const {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  const TRPBiDiMode Mode = RPStyle ? RPStyle->ParaStyles[ParaNo].BiDiMode : rpbdUnspecified;
  return Mode != rpbdUnspecified ? Mode : RPData.GetBiDiMode();
}

void TCustomRPItemInfo::MarkStylesInUse(TRPDeleteUnusedStylesData& Data) {
  TRPDeleteUnusedStylesData::Mark(Data.UsedParaStyles, ParaNo);
}

void TCustomRPItemInfo::UpdateStyles(const TRPDeleteUnusedStylesData& Data) {
  if (ParaNo >= 0)
    ParaNo = TRPDeleteUnusedStylesData::Renumbered(Data.UsedParaStyles, ParaNo);
}

void TCustomRPItemInfo::ChangeParagraphStyles(const TRPIntegerList* ParaMapList,
                                              const TRPIntegerList* NewIndices, int& Index,
                                              TRPIntegerList* OldIndices) {
  if (ParaNo < 0)
    return;
  if (OldIndices)
    OldIndices->Add(ParaNo);
  if (ParaMapList)
    ParaNo = ParaMapList->MapOr(ParaNo, ParaNo);
  else if (NewIndices)
    ParaNo = NewIndices->MapOr(Index++, ParaNo);
}

void TCustomRPItemInfo::ConvertToDifferentUnits(TRPStyleUnits, const TRPStyle&) {}

bool TCustomRPItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  switch (Prop) {
  case rpbpValid:
  case rpbpRequiresRPFLines:
  case rpbpSwitchToAssStyleNo:
  case rpbpDocXInRun: return true;
  default: return false;
  }
}

bool TCustomRPItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  switch (Prop) {
  case rpbpPrintToBMP: return true;
  case rpbpPrintToBMPIfNoMetafiles: return GetBoolValueEx(rpbpPrintToBMP, RPStyle);
  default: return false;
  }
}

int16_t TCustomRPItemInfo::GetHypertextCursor(const TRPStyle& RPStyle) const {
  return RPStyle.JumpCursor;
}

bool TCustomRPItemInfo::SetExtraIntProperty(TRPExtraItemProperty, int32_t) { return false; }

bool TCustomRPItemInfo::GetExtraIntProperty(TRPExtraItemProperty, int32_t&) const { return false; }

bool TCustomRPItemInfo::SetExtraStrProperty(TRPExtraItemStrProperty Prop,
                                            const std::string& Value) {
  switch (Prop) {
  case rpespHint: SetHint(Value); return true;
  case rpespTag: SetTag(Value); return true;
  default: return false;
  }
}

bool TCustomRPItemInfo::GetExtraStrProperty(TRPExtraItemStrProperty Prop,
                                            std::string& Value) const {
  switch (Prop) {
  case rpespHint: Value = Hint(); return true;
  case rpespTag: Value = Tag(); return true;
  default: return false;
  }
}

int32_t TCustomRPItemInfo::GetMinWidth(const TRPScreenAndDevice* sad, TRPCanvas&, TCustomRPData&) {
  return RP_ScreenToDeviceX(5, sad);
}

int32_t TCustomRPItemInfo::GetImageWidthEx(const TRPStyle& RPStyle,
                                           const TRPScreenAndDevice* sad) const {
  return RP_ScreenToDeviceX(GetImageWidth(RPStyle), sad);
}

int32_t TCustomRPItemInfo::GetImageHeightEx(const TRPStyle& RPStyle,
                                            const TRPScreenAndDevice* sad) const {
  return RP_ScreenToDeviceY(GetImageHeight(RPStyle), sad);
}

void TCustomRPItemInfo::OnDocWidthChange(int32_t, int32_t&, int32_t&, int32_t& Desc,
                                         int32_t& HShift, bool, TRPCanvas&, TCustomRPData&,
                                         const TRPScreenAndDevice*, bool) {
  Desc = 1;
  HShift = 0;
}

void TCustomRPItemInfo::PaintFullWidth(int32_t, int32_t, int32_t, int32_t, TRPCanvas&,
                                       TRPItemDrawState, TCustomRPData&) {}

void TCustomRPItemInfo::Paint(int32_t, int32_t, int32_t, int32_t, TRPCanvas&, TRPItemDrawState,
                              TCustomRPData&) {}

std::u16string TCustomRPItemInfo::AsText(int32_t, TCustomRPData&) const { return {}; }

void TCustomRPItemInfo::Inserting(TCustomRPData* RPData, std::string&, bool) {
  if (RPData)
    RPData->ItemAction(rpiaInserting, *this);
}

void TCustomRPItemInfo::Inserted(TCustomRPData* RPData, int) {
  if (RPData)
    RPData->ItemAction(rpiaInserted, *this);
}

void TCustomRPItemInfo::Execute(TCustomRPData&) {}

// ---------------------------------------------------------------- text

std::unique_ptr<TCustomRPItemInfo> TRPTextItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPTextItemInfo>(RPData);
}

bool TRPTextItemInfo::GetBoolValueEx(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle) const {
  bool Value = false;
  if (RP_GetTextStyleJumpValue(Prop, RPStyle, GetActualTextStyleNo(RPStyle), Value))
    return Value;
  return Prop == rpbpActualPrintSize || TCustomRPItemInfo::GetBoolValueEx(Prop, RPStyle);
}

bool RP_GetTextStyleJumpValue(TRPItemBoolPropertyEx Prop, TRPStyle& RPStyle, int TextStyleNo,
                              bool& Value) {
  switch (Prop) {
  case rpbpJump:
  case rpbpAllowsFocus:
  case rpbpXORFocus: Value = RPStyle.TextStyles[TextStyleNo].Jump; return true;
  case rpbpHotColdJump:
    Value = RPStyle.TextStyles[TextStyleNo].Jump && RPStyle.StyleHoverSensitive(TextStyleNo);
    return true;
  default: return false;
  }
}

void TRPTextItemInfo::MarkStylesInUse(TRPDeleteUnusedStylesData& Data) {
  TCustomRPItemInfo::MarkStylesInUse(Data);
  // rpsDefStyle is no index: the style it stands for must survive instead.
  TRPDeleteUnusedStylesData::Mark(Data.UsedTextStyles,
                                  RP_ResolveDefStyle(Data.RPStyle, StyleNo, ParaNo));
}

void TRPTextItemInfo::UpdateStyles(const TRPDeleteUnusedStylesData& Data) {
  TCustomRPItemInfo::UpdateStyles(Data);
  if (StyleNo == rpsDefStyle)
    return;
  const int32_t No = TRPDeleteUnusedStylesData::Renumbered(Data.UsedTextStyles, StyleNo);
  // A negative StyleNo would turn the run into a non-text item; text whose style is
  // gone falls back to its paragraph's default style.
  StyleNo = No >= 0 ? No : rpsDefStyle;
}

void TRPTextItemInfo::Execute(TCustomRPData& RPData) {
  const TRPStyle* RPStyle = RPData.GetRPStyle();
  if (RPStyle && RPStyle->TextStyles[GetActualTextStyleNo(RPData)].Jump)
    RPData.ExecuteJump(RPData.FFirstJumpNo + JumpID());
}

TSize TRPTextItemInfo::MeasureText(TRPCanvas& Canvas, TCustomRPData& RPData, bool ToFormatCanvas) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  RPStyle.ApplyStyle(Canvas, ResolveTextStyleNo(RPData), GetParaBiDiMode(RPData),
                     RPData.GetFlags().Contains(rpflCanUseCustomPPI), nullptr, false,
                     ToFormatCanvas, RPData.UseVerticalFonts());
  return GI.TextSize(Canvas, TextView());
}

void TRPTextItemInfo::DrawText(int32_t X, int32_t Y, TRPCanvas& Canvas, TRPItemDrawState State,
                               TCustomRPData& RPData) {
  TRPStyle& RPStyle = RP_StyleOf(RPData);
  TRPGraphicInterface& GI = RPStyle.GetGraphicInterface();
  const int No = ResolveTextStyleNo(RPData);
  RPStyle.ApplyStyle(Canvas, No, GetParaBiDiMode(RPData),
                     RPData.GetFlags().Contains(rpflCanUseCustomPPI), nullptr, false, false,
                     RPData.UseVerticalFonts());
  RPStyle.ApplyStyleColor(Canvas, No, RP_ItemToTextDrawState(State), State.Contains(rpidsPrinting),
                          rpcmColor);
  const TRPTextView Text = TextView();
  if (Canvas.Brush.Style != bsClear) {
    const TSize Size = GI.TextSize(Canvas, Text);
    GI.FillRect(Canvas, Bounds(X, Y, Size.cx, Size.cy));
  }
  Canvas.Brush.Style = bsClear;
  GI.TextOut(Canvas, X, Y, Text);
}

// ---------------------------------------------------------------- non-text

std::unique_ptr<TCustomRPItemInfo> TRPNonTextItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPNonTextItemInfo>(RPData);
}

void TRPNonTextItemInfo::Assign(const TCustomRPItemInfo& Source) {
  if (const auto* S = dynamic_cast<const TRPNonTextItemInfo*>(&Source)) {
    DeleteProtect = S->DeleteProtect;
    Hidden = S->Hidden;
  }
  TCustomRPItemInfo::Assign(Source);
}

bool TRPNonTextItemInfo::SetExtraIntProperty(TRPExtraItemProperty Prop, int32_t Value) {
  switch (Prop) {
  case rpepDeleteProtect: DeleteProtect = Value != 0; return true;
  case rpepHidden: Hidden = Value != 0; return true;
  default: return TCustomRPItemInfo::SetExtraIntProperty(Prop, Value);
  }
}

bool TRPNonTextItemInfo::GetExtraIntProperty(TRPExtraItemProperty Prop, int32_t& Value) const {
  switch (Prop) {
  case rpepDeleteProtect: Value = DeleteProtect; return true;
  case rpepHidden: Value = Hidden; return true;
  default: return TCustomRPItemInfo::GetExtraIntProperty(Prop, Value);
  }
}

int32_t TRPNonTextItemInfo::GetHeightEx(const TRPStyle& RPStyle, const TRPScreenAndDevice* sad) {
  return RP_ScreenToDeviceY(GetHeight(RPStyle), sad);
}

int32_t TRPNonTextItemInfo::GetWidthEx(const TRPStyle& RPStyle, const TRPScreenAndDevice* sad) {
  return RP_ScreenToDeviceX(GetWidth(RPStyle), sad);
}

std::unique_ptr<TCustomRPItemInfo> TRPFullLineItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPFullLineItemInfo>(RPData);
}

bool TRPFullLineItemInfo::GetBoolValue(TRPItemBoolProperty Prop) const {
  return Prop == rpbpFullWidth || TRPNonTextItemInfo::GetBoolValue(Prop);
}

std::unique_ptr<TCustomRPItemInfo> TRPSimpleRectItemInfo::NewInstance(TCustomRPData* RPData) const {
  return std::make_unique<TRPSimpleRectItemInfo>(RPData);
}

// ---------------------------------------------------------------- creation

TRPItemClass RichPaneTextItemClass = &RPItemClassOf<TRPTextItemInfo>;

namespace {

struct TRegisteredItemClass {
  int32_t StyleNo;
  TRPItemClass ItemClass;
};

// Made on first use. Labels and sequence fields live in this library, so they are
// entered here rather than by start-up code a static library might leave unlinked.
std::vector<TRegisteredItemClass>& ItemClassRegistry() {
  static std::vector<TRegisteredItemClass> Registry = {
      {rpsLabel, &RPItemClassOf<TRPLabelItemInfo>}, {rpsSequence, &RPItemClassOf<TRPSeqItemInfo>}};
  return Registry;
}

TRPItemClass BuiltInItemClass(int32_t StyleNo) {
  switch (StyleNo) {
  case rpsTab: return &RPItemClassOf<TRPTabItemInfo>;
  case rpsListMarker: return &RPItemClassOf<TRPMarkerItemInfo>;
  case rpsHotPicture: return &RPItemClassOf<TRPHotGraphicItemInfo>;
  case rpsBullet: return &RPItemClassOf<TRPBulletItemInfo>;
  case rpsComponent: return &RPItemClassOf<TRPControlItemInfo>;
  case rpsHotspot: return &RPItemClassOf<TRPHotspotItemInfo>;
  case rpsPicture: return &RPItemClassOf<TRPGraphicItemInfo>;
  case rpsBreak: return &RPItemClassOf<TRPBreakItemInfo>;
  default: return nullptr;
  }
}

} // namespace

std::unique_ptr<TCustomRPItemInfo> CreateRichPaneItem(int32_t StyleNo, TCustomRPData* RPData) {
  TRPItemClass ItemClass = StyleNo >= 0 ? RichPaneTextItemClass : BuiltInItemClass(StyleNo);
  if (!ItemClass)
    for (const TRegisteredItemClass& Entry : ItemClassRegistry())
      if (Entry.StyleNo == StyleNo)
        ItemClass = Entry.ItemClass;
  if (!ItemClass)
    return nullptr;
  std::unique_ptr<TCustomRPItemInfo> Item = ItemClass(RPData);
  Item->StyleNo = StyleNo;
  return Item;
}

void RegisterRichPaneItemClass(int32_t StyleNo, TRPItemClass ItemClass) {
  static constexpr const char* Message =
      "Can't register RichPane item type - this StyleNo is already registered";
  if (StyleNo > -10 || !ItemClass)
    throw ERichPaneError(Message);
  for (const TRegisteredItemClass& Entry : ItemClassRegistry()) {
    if (Entry.StyleNo != StyleNo)
      continue;
    if (Entry.ItemClass != ItemClass)
      throw ERichPaneError(Message);
    return;
  }
  ItemClassRegistry().push_back({StyleNo, ItemClass});
}

std::unique_ptr<TCustomRPItemInfo>
RP_DuplicateItem(const TCustomRPItemInfo& Item, TCustomRPData* RPData, bool DuplicateCheckpoint) {
  std::unique_ptr<TCustomRPItemInfo> Copy = Item.NewInstance(RPData);
  Copy->StyleNo = Item.StyleNo;
  Copy->Assign(Item);
  // The copy's options came from a consistent item, so its text fits them.
  Copy->SetItemText(Item.ItemText());
  if (const TRPCPInfo* CP = Item.Checkpoint(); DuplicateCheckpoint && CP) {
    std::unique_ptr<TRPCPInfo> Copied = CP->CreateCopy();
    Copied->ItemInfo = Copy.get();
    Copy->SetCheckpoint(std::move(Copied));
  }
  Copy->SetTag(Item.Tag());
  return Copy;
}
