// A document for tests: a given style sheet (or its parent's), settable flags and
// answers, and a record of what it was told.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "richtext/model/CRPData.h"

class TTestDocument : public TCustomRPData {
public:
  explicit TTestDocument(TRPStyle* Style, TCustomRPData* ParentData = nullptr)
      : FStyle(Style), FParentData(ParentData) {}
  TRPStyle* GetRPStyle() const override { return FStyle ? FStyle : TCustomRPData::GetRPStyle(); }
  TRPDataFlags GetFlags() const override { return Flags; }
  void SetFlags(TRPDataFlags AFlags) override { Flags = AFlags; }
  TCustomRPData* GetParentData() const override { return FParentData; }
  // At the root, the answers a viewer would give; empty Delimiters: the default ones.
  TRPBiDiMode GetBiDiMode() const override {
    return FParentData ? TCustomRPData::GetBiDiMode() : BiDiMode;
  }
  std::u16string GetDelimiters() const override {
    return FParentData || Delimiters.empty() ? TCustomRPData::GetDelimiters() : Delimiters;
  }
  bool SupportsPageBreaks() const override { return PageBreaks; }
  TRPCanvas* GetFormatCanvas() const override { return FormatCanvas; }
  bool GetForceFieldHighlight() const override { return ForceFieldHighlight; }
  bool UseStyleTemplates() const override { return !TemplateMap.empty(); }
  int GetStyleFromStyleTemplate(int StyleNo) const override {
    const auto Found = TemplateMap.find(StyleNo);
    return Found != TemplateMap.end() ? Found->second : StyleNo;
  }
  void ItemAction(TRPItemAction Action, TCustomRPItemInfo& Item) override {
    Actions.push_back({Action, &Item});
    if (OnItemAction)
      OnItemAction(Action, Item);
  }
  void ExecuteJump(int JumpNo) override { Jumps.push_back(JumpNo); }
  // The marker list of PrevDocument, when it has one: numbering continues from it.
  std::shared_ptr<TRPMarkerList> GetPrevMarkers() const override {
    return PrevDocument ? PrevDocument->GetMarkers(false) : nullptr;
  }

  TRPDataFlags Flags;
  TRPCanvas* FormatCanvas = nullptr;
  bool ForceFieldHighlight = false;
  bool PageBreaks = false;
  TRPBiDiMode BiDiMode = rpbdUnspecified;
  std::u16string Delimiters;
  std::map<int, int> TemplateMap;
  std::vector<std::pair<TRPItemAction, TCustomRPItemInfo*>> Actions;
  // Runs after the action is recorded, while the document is still whole.
  std::function<void(TRPItemAction, TCustomRPItemInfo&)> OnItemAction;
  std::vector<int> Jumps;
  TCustomRPData* PrevDocument = nullptr;

private:
  TRPStyle* FStyle;
  TCustomRPData* FParentData;
};
