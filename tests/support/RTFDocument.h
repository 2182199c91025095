// A root document that reads RTF with its own reader settings and records the styles it
// is told about, as a viewer's document would.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "richtext/rtf/RPRTFReaderProperties.h"
#include "support/TestDocument.h"

class TRTFDocument : public TTestDocument {
public:
  using TTestDocument::TTestDocument;
  TCustomRPRTFReaderProperties* GetRTFProperties() const override { return &Props; }
  void AfterAddStyle(int No, bool IsTextStyle) override {
    Added.push_back({No, IsTextStyle});
    if (OnAdded)
      OnAdded(No, IsTextStyle);
  }
  mutable TRPRTFReaderProperties Props;
  std::vector<std::pair<int, bool>> Added;
  std::function<void(int, bool)> OnAdded;
};
