// A document for tests: a given style sheet, settable flags and answers, and a
// record of what it was told.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "richtext/model/CRPData.h"

class TTestDocument : public TCustomRPData {
public:
  explicit TTestDocument(TRPStyle* Style) : FStyle(Style) {}
  TRPStyle* GetRPStyle() const override { return FStyle; }
  TRPDataFlags GetFlags() const override { return Flags; }
  TRPCanvas* GetFormatCanvas() const override { return FormatCanvas; }
  bool GetForceFieldHighlight() const override { return ForceFieldHighlight; }
  bool UseStyleTemplates() const override { return !TemplateMap.empty(); }
  int GetStyleFromStyleTemplate(int StyleNo) const override {
    const auto Found = TemplateMap.find(StyleNo);
    return Found != TemplateMap.end() ? Found->second : StyleNo;
  }
  void ItemAction(TRPItemAction Action, TCustomRPItemInfo& Item) override {
    Actions.push_back({Action, &Item});
  }
  void ExecuteJump(int JumpNo) override { Jumps.push_back(JumpNo); }

  TRPDataFlags Flags;
  TRPCanvas* FormatCanvas = nullptr;
  bool ForceFieldHighlight = false;
  std::map<int, int> TemplateMap;
  std::vector<std::pair<TRPItemAction, TCustomRPItemInfo*>> Actions;
  std::vector<int> Jumps;

private:
  TRPStyle* FStyle;
};
