// The common ground of text, paragraph and list styles: the record base classes and
// the ordered collection that owns records, merges foreign collections and finds
// duplicates.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "richtext/model/RPClasses.h"
#include "richtext/model/RPTypes.h"

class TRPStyle;
class TCustomRPInfos;

enum TRPStyleMergeMode : uint8_t { rps_merge_SmartMerge, rps_merge_Map, rps_merge_Append };

class TCustomRPInfo {
public:
  // Collection may be nullptr for a record that belongs to no style sheet.
  explicit TCustomRPInfo(TCustomRPInfos* Collection);
  virtual ~TCustomRPInfo() = default;
  TCustomRPInfo(const TCustomRPInfo&) = delete;
  TCustomRPInfo& operator=(const TCustomRPInfo&) = delete;

  // The style sheet that owns the collection, or nullptr.
  virtual TRPStyle* GetRPStyle() const;
  TCustomRPInfos* Collection() const { return FCollection; }
  // Position in the collection, -1 outside one.
  int Index() const;

  virtual void Assign(const TCustomRPInfo& Source);
  virtual bool IsSimpleEqual(const TCustomRPInfo& Value, bool IgnoreReferences,
                             bool IgnoreID = true) const;
  // Equality used when a foreign collection is merged in: this is the incoming record,
  // Value the existing one, Mapping the index map built so far. Never changes either.
  virtual bool IsSimpleEqualEx(const TCustomRPInfo& Value, const TRPIntegerList& Mapping) const;
  virtual int32_t SimilarityValue(const TCustomRPInfo& Value) const;
  virtual void Reset();
  virtual void ConvertToDifferentUnits(TRPStyleUnits NewUnits) = 0;

  int32_t BaseStyleNo = -1;
  std::string StyleName;
  bool Standard = true;

protected:
  // 15 for a style sheet in twips, else 1: length weights are per pixel.
  int32_t LengthWeightDivisor() const;
  bool StyleNamesEqual(const TCustomRPInfo& Value) const;

private:
  friend class TCustomRPInfos;
  TCustomRPInfos* FCollection;
};

class TCustomFontOrParaRPInfo : public TCustomRPInfo {
public:
  using TCustomRPInfo::TCustomRPInfo;
  void Assign(const TCustomRPInfo& Source) override;

  int32_t StyleTemplateId = -1;
};

class TCustomRPInfos {
public:
  explicit TCustomRPInfos(TRPStyle* Owner) : FOwner(Owner) {}
  virtual ~TCustomRPInfos() = default;
  TCustomRPInfos(const TCustomRPInfos&) = delete;
  TCustomRPInfos& operator=(const TCustomRPInfos&) = delete;

  TRPStyle* Owner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // The record at Index, which must be in range (ERichPaneError otherwise).
  TCustomRPInfo& BaseItem(int Index) const;
  int IndexOf(const TCustomRPInfo* Item) const;

  // Frees record Index; later records move down by one.
  void Delete(int Index);
  void Clear();

  // Converts the lengths of every record, and of the invalid style once it exists.
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits);

  // The first other record equal to record Index with nothing ignored, or -1.
  int FindDuplicate(int Index) const;

  // Merges Styles into this collection. Mapping receives, for each incoming record
  // in order, the index it maps to. OnAppended is told the index of every record
  // appended here.
  virtual void MergeWith(const TCustomRPInfos& Styles, TRPStyleMergeMode Mode,
                         const TRPIntegerList* TextStyleMapping, TRPIntegerList& Mapping,
                         const std::function<void(int)>& OnAppended = {});

protected:
  // A record with the class's defaults, bound to this collection.
  virtual std::unique_ptr<TCustomRPInfo> CreateItem() = 0;
  // Appends a default record and returns it.
  TCustomRPInfo& AddItem();
  // Appends a copy of Style marked as not belonging to the sheet's design; its index.
  int AppendCopy(const TCustomRPInfo& Style);
  // The first record that Fits: record BaseStyle first (only when it exists, the
  // usual hit while a reader keeps the current format), then the others in index
  // order; -1 when none does.
  int FindBaseFirst(int BaseStyle, const std::function<bool(int)>& Fits) const;
  // The collection's invalid style when it has been made, else nullptr.
  virtual TCustomRPInfo* MadeInvalidItem() const = 0;
  // Equality with nothing ignored, as the record class defines it.
  virtual bool IsEqualWithoutIgnore(const TCustomRPInfo& A, const TCustomRPInfo& B) const = 0;
  // The existing records an incoming record may be mapped to by similarity.
  virtual std::vector<int> MapCandidates(const TCustomRPInfo& Incoming) const;
  // Whether an incoming record may be matched at all, and whether existing record
  // Index may be taken for it (list styles restrict both).
  virtual bool CanSearchFor(const TCustomRPInfo& Incoming) const;
  virtual bool CanTake(int Index, const std::vector<bool>& Taken) const;
  // Renumbers the references of a record appended by a merge.
  virtual void AdjustAppended(TCustomRPInfo& Item, const TRPIntegerList& Mapping,
                              const TRPIntegerList* TextStyleMapping);

  std::vector<std::unique_ptr<TCustomRPInfo>> FItems;

private:
  TRPStyle* FOwner;
};
