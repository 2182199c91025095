#include "richtext/model/RPStyleBase.h"

#include "richtext/model/RPStyle.h"

TCustomRPInfo::TCustomRPInfo(TCustomRPInfos* Collection) : FCollection(Collection) {}

TRPStyle* TCustomRPInfo::GetRPStyle() const { return FCollection ? FCollection->Owner() : nullptr; }

int TCustomRPInfo::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCustomRPInfo::Assign(const TCustomRPInfo& Source) {
  BaseStyleNo = Source.BaseStyleNo;
  StyleName = Source.StyleName;
  Standard = Source.Standard;
}

bool TCustomRPInfo::IsSimpleEqual(const TCustomRPInfo& Value, bool, bool) const {
  return StyleNamesEqual(Value);
}

bool TCustomRPInfo::IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList&) const {
  return IsSimpleEqual(Value, true);
}

int32_t TCustomRPInfo::SimilarityValue(const TCustomRPInfo&) const { return 0; }

void TCustomRPInfo::Reset() { BaseStyleNo = -1; }

int32_t TCustomRPInfo::LengthWeightDivisor() const {
  const TRPStyle* Style = GetRPStyle();
  return Style && Style->Units == rpstuTwips ? 15 : 1;
}

bool TCustomRPInfo::StyleNamesEqual(const TCustomRPInfo& Value) const {
  return !RichPaneSwitches.RichPaneCompareStyleNames || StyleName == Value.StyleName;
}

void TCustomFontOrParaRPInfo::Assign(const TCustomRPInfo& Source) {
  TCustomRPInfo::Assign(Source);
  if (const auto* Other = dynamic_cast<const TCustomFontOrParaRPInfo*>(&Source))
    StyleTemplateId = Other->StyleTemplateId;
}

TCustomRPInfo& TCustomRPInfos::BaseItem(int Index) const {
  if (Index < 0 || Index >= Count())
    throw ERichPaneError("Style index is out of bounds");
  return *FItems[static_cast<size_t>(Index)];
}

int TCustomRPInfos::IndexOf(const TCustomRPInfo* Item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == Item)
      return static_cast<int>(i);
  return -1;
}

void TCustomRPInfos::Delete(int Index) {
  BaseItem(Index);
  FItems.erase(FItems.begin() + Index);
}

void TCustomRPInfos::Clear() { FItems.clear(); }

TCustomRPInfo& TCustomRPInfos::AddItem() {
  FItems.push_back(CreateItem());
  FItems.back()->FCollection = this;
  return *FItems.back();
}

void TCustomRPInfos::ConvertToDifferentUnits(TRPStyleUnits NewUnits) {
  for (const auto& Item : FItems)
    Item->ConvertToDifferentUnits(NewUnits);
  if (TCustomRPInfo* Invalid = MadeInvalidItem())
    Invalid->ConvertToDifferentUnits(NewUnits);
}

int TCustomRPInfos::AppendCopy(const TCustomRPInfo& Style) {
  TCustomRPInfo& Added = AddItem();
  Added.Assign(Style);
  Added.Standard = false;
  return Count() - 1;
}

int TCustomRPInfos::FindBaseFirst(int BaseStyle, const std::function<bool(int)>& Fits) const {
  if (BaseStyle >= 0 && BaseStyle < Count() && Fits(BaseStyle))
    return BaseStyle;
  for (int i = 0; i < Count(); ++i)
    if (i != BaseStyle && Fits(i))
      return i;
  return -1;
}

int TCustomRPInfos::FindDuplicate(int Index) const {
  if (Index < 0 || Index >= Count())
    return -1;
  for (int j = 0; j < Count(); ++j)
    if (j != Index && IsEqualWithoutIgnore(BaseItem(Index), BaseItem(j)))
      return j;
  return -1;
}

std::vector<int> TCustomRPInfos::MapCandidates(const TCustomRPInfo&) const {
  std::vector<int> All(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i)
    All[static_cast<size_t>(i)] = i;
  return All;
}

bool TCustomRPInfos::CanSearchFor(const TCustomRPInfo&) const { return true; }

bool TCustomRPInfos::CanTake(int, const std::vector<bool>&) const { return true; }

void TCustomRPInfos::AdjustAppended(TCustomRPInfo& Item, const TRPIntegerList& Mapping,
                                    const TRPIntegerList*) {
  if (RichPaneSwitches.RichPaneResetStandardFlag)
    Item.Standard = false;
  // A reference the map does not cover has nothing to point to.
  if (Item.BaseStyleNo >= 0)
    Item.BaseStyleNo = Mapping.MapOr(Item.BaseStyleNo, -1);
}

void TCustomRPInfos::MergeWith(const TCustomRPInfos& Styles, TRPStyleMergeMode Mode,
                               const TRPIntegerList* TextStyleMapping, TRPIntegerList& Mapping,
                               const std::function<void(int)>& OnAppended) {
  Mapping.Clear();
  std::vector<bool> Taken(static_cast<size_t>(Count()), false);
  std::vector<int> Appended;
  for (int i = 0; i < Styles.Count(); ++i) {
    const TCustomRPInfo& Incoming = Styles.BaseItem(i);
    int Target = -1;
    if (Mode == rps_merge_Map) {
      int32_t Best = 0;
      for (int j : MapCandidates(Incoming)) {
        const int32_t Score = Incoming.SimilarityValue(BaseItem(j));
        if (Target < 0 || Score > Best) {
          Target = j;
          Best = Score;
        }
      }
      Mapping.Add(Target);
      continue;
    }
    if (Mode == rps_merge_SmartMerge && CanSearchFor(Incoming)) {
      auto Matches = [&](int j) {
        return CanTake(j, Taken) && Incoming.IsSimpleEqualEx(BaseItem(j), Mapping);
      };
      if (i < Count() && Matches(i))
        Target = i;
      for (int j = 0; Target < 0 && j < Count(); ++j)
        if (Matches(j))
          Target = j;
    }
    if (Target < 0) {
      AddItem().Assign(Incoming);
      Target = Count() - 1;
      Appended.push_back(Target);
    }
    Taken.resize(static_cast<size_t>(Count()), false);
    Taken[static_cast<size_t>(Target)] = true;
    Mapping.Add(Target);
  }
  for (int Index : Appended) {
    AdjustAppended(BaseItem(Index), Mapping, TextStyleMapping);
    if (OnAppended)
      OnAppended(Index);
  }
}
