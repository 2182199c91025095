// A fixture that reads RTF into a document as the guide window does: text and paragraph
// styles are found in the style sheet or added to it.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "richtext/model/RPStyle.h"
#include "support/RTFDocument.h"

class TRTFDocumentTest : public ::testing::Test {
protected:
  void SetUp() override {
    Doc.Props.TextStyleMode = rprsAddIfNeeded;
    Doc.Props.ParaStyleMode = rprsAddIfNeeded;
  }
  TRPRTFErrorCode Load(std::string_view Rtf) {
    Doc.Clear();
    return Doc.LoadRTFFromStream(Rtf);
  }

  TRPStyle Sheet;
  TRTFDocument Doc{&Sheet};
};
