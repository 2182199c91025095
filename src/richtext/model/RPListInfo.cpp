#include "richtext/model/RPListInfo.h"

#include <algorithm>
#include <random>
#include <typeinfo>
#include <utility>

#include "richtext/gfx/RPBitmap.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPStyle.h"

namespace {

constexpr uint32_t MaxListID = 2147483646;

uint32_t DefaultListIDRandom() {
  static std::mt19937 Engine{std::random_device{}()};
  return static_cast<uint32_t>(Engine());
}

template <typename T> int32_t Same(const T& A, const T& B) { return A == B ? RPMW_LISTMISC : 0; }

// Keeps the one flag a collection lends its records during a merge, whatever happens.
class TAllowListIDs {
public:
  explicit TAllowListIDs(bool& Flag) : FFlag(Flag), FSaved(Flag) { Flag = true; }
  ~TAllowListIDs() { FFlag = FSaved; }
  TAllowListIDs(const TAllowListIDs&) = delete;
  TAllowListIDs& operator=(const TAllowListIDs&) = delete;

private:
  bool& FFlag;
  bool FSaved;
};

} // namespace

// ---------------------------------------------------------------- marker font

bool TRPMarkerFont::IsDefault() const {
  return Size() == 8 && Color == clWindowText && Charset == RP_DEFAULT_CHARSET && Style.Empty() &&
         RP_SameText(Name, "Arial");
}

bool TRPMarkerFont::IsEqual(const TRPFont& Value) const {
  return Height == Value.Height && Style == Value.Style && Color == Value.Color &&
         Charset == Value.Charset && RP_SameText(Name, Value.Name);
}

bool RP_ListPicturesEqual(const TRPPicture* A, const TRPPicture* B) {
  if (!A || !B)
    return A == B;
  if (A == B)
    return true;
  if (typeid(*A) != typeid(*B) || A->Width() != B->Width() || A->Height() != B->Height())
    return false;
  const auto* BitmapA = dynamic_cast<const TRPBitmap*>(A);
  const auto* BitmapB = dynamic_cast<const TRPBitmap*>(B);
  return BitmapA && BitmapB && BitmapA->Pixels() == BitmapB->Pixels();
}

// ---------------------------------------------------------------- level

void TRPListLevel::Assign(const TRPListLevel& Source) {
  if (&Source == this)
    return;
  ListType = Source.ListType;
  ImageList = Source.ImageList;
  ImageIndex = Source.ImageIndex;
  FormatString = Source.FormatString;
  FormatStringW = Source.FormatStringW;
  LeftIndent = Source.LeftIndent;
  FirstIndent = Source.FirstIndent;
  MarkerIndent = Source.MarkerIndent;
  MarkerAlignment = Source.MarkerAlignment;
  Options = Source.Options;
  StartFrom = Source.StartFrom;
  // A picture that cannot be copied is dropped rather than shared: the level owns
  // what it shows.
  FPicture = Source.FPicture ? Source.FPicture->Clone() : nullptr;
  FFont = Source.FFont ? std::make_unique<TRPMarkerFont>(*Source.FFont) : nullptr;
}

const TRPMarkerFont& TRPListLevel::GetFont() const {
  if (!FFont)
    FFont = std::make_unique<TRPMarkerFont>();
  return *FFont;
}

TRPMarkerFont& TRPListLevel::GetFont() {
  return const_cast<TRPMarkerFont&>(std::as_const(*this).GetFont());
}

bool TRPListLevel::FontsEqual(const TRPListLevel& Value) const {
  const bool DefaultHere = !FFont || FFont->IsDefault();
  const bool DefaultThere = !Value.FFont || Value.FFont->IsDefault();
  if (DefaultHere && DefaultThere)
    return true;
  return FFont && Value.FFont && FFont->IsEqual(*Value.FFont);
}

bool TRPListLevel::IsSimpleEqual(const TRPListLevel& Value) const {
  return ListType == Value.ListType && (!HasNumbering() || StartFrom == Value.StartFrom) &&
         ImageList == Value.ImageList && ImageIndex == Value.ImageIndex &&
         FormatString == Value.FormatString && FormatStringW == Value.FormatStringW &&
         LeftIndent == Value.LeftIndent && FirstIndent == Value.FirstIndent &&
         MarkerIndent == Value.MarkerIndent && MarkerAlignment == Value.MarkerAlignment &&
         FontsEqual(Value) && Options == Value.Options &&
         RP_ListPicturesEqual(FPicture.get(), Value.FPicture.get());
}

int32_t TRPListLevel::SimilarityValue(const TRPListLevel& Value) const {
  int32_t Result = Same(StartFrom, Value.StartFrom);
  if (ListType == Value.ListType)
    Result += RPMW_LISTTYPE;
  Result += Same(ImageList, Value.ImageList) + Same(ImageIndex, Value.ImageIndex) +
            Same(FormatString, Value.FormatString) + Same(FormatStringW, Value.FormatStringW) +
            Same(LeftIndent, Value.LeftIndent) + Same(FirstIndent, Value.FirstIndent) +
            Same(MarkerIndent, Value.MarkerIndent) + Same(MarkerAlignment, Value.MarkerAlignment) +
            Same(Options, Value.Options) + Same(FontsEqual(Value), true) +
            Same(RP_ListPicturesEqual(FPicture.get(), Value.FPicture.get()), true);
  return Result;
}

void TRPListLevel::ConvertToDifferentUnits(TRPStyleUnits NewUnits, const TRPStyle& RPStyle) {
  LeftIndent = RPStyle.ConvertLength(LeftIndent, NewUnits);
  FirstIndent = RPStyle.ConvertLength(FirstIndent, NewUnits);
  MarkerIndent = RPStyle.ConvertLength(MarkerIndent, NewUnits);
}

bool TRPListLevel::HasNumbering() const {
  return ListType >= rplstDecimal && ListType <= rplstImageListCounter;
}

bool TRPListLevel::HasVariableWidth() const {
  return ListType >= rplstDecimal && ListType <= rplstUpperRoman;
}

bool TRPListLevel::UsesFont() const {
  return ListType == rplstBullet || HasVariableWidth() || ListType == rplstUnicodeBullet;
}

// ---------------------------------------------------------------- levels

TRPListLevel& TRPListLevelCollection::Add() { return Insert(Count()); }

TRPListLevel& TRPListLevelCollection::Insert(int Index) {
  if (Index < 0 || Index > Count())
    throw ERichPaneError("List level index is out of bounds");
  return **FItems.insert(FItems.begin() + Index, std::make_unique<TRPListLevel>());
}

TRPListLevel& TRPListLevelCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw ERichPaneError("List level index is out of bounds");
  return *FItems[static_cast<size_t>(Index)];
}

void TRPListLevelCollection::Delete(int Index) {
  Items(Index);
  FItems.erase(FItems.begin() + Index);
}

void TRPListLevelCollection::Assign(const TRPListLevelCollection& Source) {
  if (&Source == this)
    return;
  std::vector<std::unique_ptr<TRPListLevel>> Copies;
  Copies.reserve(Source.FItems.size());
  for (const auto& Level : Source.FItems) {
    Copies.push_back(std::make_unique<TRPListLevel>());
    Copies.back()->Assign(*Level);
  }
  FItems = std::move(Copies);
}

bool TRPListLevelCollection::IsSimpleEqual(const TRPListLevelCollection& Value) const {
  if (Count() != Value.Count())
    return false;
  for (int i = 0; i < Count(); ++i)
    if (!Items(i).IsSimpleEqual(Value.Items(i)))
      return false;
  return true;
}

const TRPListLevel* RP_ListLevelFor(const TRPListInfo& List, int32_t Level) {
  if (Level < 0 || List.Levels.Count() == 0)
    return nullptr;
  return &List.Levels[std::min(Level, List.Levels.Count() - 1)];
}

// ---------------------------------------------------------------- list

TRPListInfo::TRPListInfo(TCustomRPInfos* Collection) : TCustomRPInfo(Collection) {
  StyleName = "List Style";
}

void TRPListInfo::Assign(const TCustomRPInfo& Source) {
  TCustomRPInfo::Assign(Source);
  const auto* S = dynamic_cast<const TRPListInfo*>(&Source);
  if (!S || S == this)
    return;
  Levels.Assign(S->Levels);
  OneLevelPreview = S->OneLevelPreview;
  const auto* Infos = dynamic_cast<const TRPListInfos*>(Collection());
  if (Infos && Infos->RichPaneAllowAssignListID)
    FListID = S->FListID;
}

bool TRPListInfo::IsSimpleEqual(const TCustomRPInfo& Value, bool, bool IgnoreID) const {
  const auto* V = dynamic_cast<const TRPListInfo*>(&Value);
  return V && OneLevelPreview == V->OneLevelPreview && (IgnoreID || FListID == V->FListID) &&
         Levels.IsSimpleEqual(V->Levels) && StyleNamesEqual(*V);
}

bool TRPListInfo::IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList&) const {
  return IsSimpleEqual(Value, true, false);
}

int32_t TRPListInfo::SimilarityValue(const TCustomRPInfo& Value) const {
  const auto* V = dynamic_cast<const TRPListInfo*>(&Value);
  if (!V)
    return 0;
  int32_t Result =
      (FListID == V->FListID ? 50 : 0) + (OneLevelPreview == V->OneLevelPreview ? 100 : 0);
  const int Common = std::min(Levels.Count(), V->Levels.Count());
  for (int i = 0; i < Common; ++i)
    Result += Levels[i].SimilarityValue(V->Levels[i]);
  Result -= 100 * (std::max(Levels.Count(), V->Levels.Count()) - Common);
  return Result;
}

void TRPListInfo::ConvertToDifferentUnits(TRPStyleUnits NewUnits) {
  // Without a style sheet the current units are unknown; nothing can be converted.
  if (const TRPStyle* RPStyle = GetRPStyle())
    for (int i = 0; i < Levels.Count(); ++i)
      Levels[i].ConvertToDifferentUnits(NewUnits, *RPStyle);
}

int32_t TRPListInfo::GetListID() {
  if (FListID != 0)
    return FListID;
  const auto* Infos = dynamic_cast<const TRPListInfos*>(Collection());
  auto Draw = [Infos] {
    return Infos && Infos->RandomGenerator ? Infos->RandomGenerator() : DefaultListIDRandom();
  };
  // A generator stuck on 0 must not hang the program.
  for (int Attempt = 0; Attempt < 64 && FListID == 0; ++Attempt)
    FListID = static_cast<int32_t>(Draw() % (MaxListID + 1));
  if (FListID == 0)
    FListID = 1;
  return FListID;
}

bool TRPListInfo::HasNumbering() const {
  for (int i = 0; i < Levels.Count(); ++i)
    if (Levels[i].HasNumbering())
      return true;
  return false;
}

bool TRPListInfo::AllNumbered() const {
  for (int i = 0; i < Levels.Count(); ++i)
    if (!Levels[i].HasNumbering())
      return false;
  return true;
}

bool TRPListInfo::HasVariableWidth() const {
  for (int i = 0; i < Levels.Count(); ++i)
    if (Levels[i].HasVariableWidth())
      return true;
  return false;
}

// ---------------------------------------------------------------- collection

std::unique_ptr<TCustomRPInfo> TRPListInfos::CreateItem() {
  return std::make_unique<TRPListInfo>(this);
}

TRPListInfo& TRPListInfos::Items(int Index) const {
  return static_cast<TRPListInfo&>(BaseItem(Index));
}

TRPListInfo& TRPListInfos::Add() { return static_cast<TRPListInfo&>(AddItem()); }

int TRPListInfos::AppendList(const TRPListInfo* Style) {
  TRPListInfo& Added = Add();
  if (Style)
    Added.Assign(*Style);
  if (RichPaneSwitches.RichPaneResetStandardFlag)
    Added.Standard = false;
  return Count() - 1;
}

int TRPListInfos::FindSuchStyle(const TRPListInfo& Style, bool AddIfNotFound) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i).IsSimpleEqual(Style, false, true))
      return i;
  return AddIfNotFound ? AppendList(&Style) : -1;
}

int TRPListInfos::FindStyleWithLevels(const TRPListLevelCollection& Levels,
                                      const std::string& StyleNameForAdding, bool AddIfNotFound) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i).Levels.IsSimpleEqual(Levels))
      return i;
  if (!AddIfNotFound)
    return -1;
  const int Index = AppendList(nullptr);
  TRPListInfo& Added = Items(Index);
  Added.StyleName = StyleNameForAdding;
  Added.OneLevelPreview = true;
  Added.Levels.Assign(Levels);
  return Index;
}

void TRPListInfos::MergeWith(const TCustomRPInfos& Styles, TRPStyleMergeMode Mode,
                             const TRPIntegerList* TextStyleMapping, TRPIntegerList& Mapping,
                             const std::function<void(int)>& OnAppended) {
  const TAllowListIDs Allow(RichPaneAllowAssignListID);
  TCustomRPInfos::MergeWith(Styles, Mode, TextStyleMapping, Mapping, OnAppended);
}

bool TRPListInfos::IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const {
  return A.IsSimpleEqual(B, false, false);
}

bool TRPListInfos::CanSearchFor(const TCustomRPInfo& Incoming) const {
  return !RichPaneSwitches.RichPaneDoNotMergeNumbering ||
         !static_cast<const TRPListInfo&>(Incoming).HasNumbering();
}

bool TRPListInfos::CanTake(int Index, const std::vector<bool>& Taken) const {
  const bool WasTaken = Index < static_cast<int>(Taken.size()) && Taken[static_cast<size_t>(Index)];
  return !WasTaken || !Items(Index).HasNumbering();
}
