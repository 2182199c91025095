// Articles as the guide window's pane reads them, without Qt: the style sheet the pane
// starts with, and a document that reads RTF with the pane's reader settings. The tools
// that load articles outside the window (rtfview, benchmarks) use them to see the same
// styles and items as the program.
#pragma once

#include "richtext/layout/CRPFData.h"
#include "richtext/rtf/RPRTFReaderProperties.h"

class TRPStyle;
class TCustomRichPane;

// Gives Sheet the guide window's styles: one text style "Normal text" (Times New Roman,
// 12 points, Unicode), one paragraph style "Left" without tab stops, no list styles,
// and the mark shown for pictures that cannot be read.
void InitGuideStyleSheet(TRPStyle& Sheet);

// Gives a pane the guide window's settings: the name "rpe", its options, the flags of an
// editor's root document, and styles read from articles added to the sheet when missing.
void ConfigureGuidePane(TCustomRichPane& Pane);

// A document on a style sheet it does not own, reading RTF as the pane does (styles are
// found in the sheet or added to it) and formatted as the pane formats it, at Width on
// Canvas.
class TGuideArticleDocument : public TCustomRPFormattedData {
public:
  explicit TGuideArticleDocument(TRPStyle& Style);
  TRPStyle* GetRPStyle() const override { return &FStyle; }
  TRPDataFlags GetFlags() const override { return FFlags; }
  void SetFlags(TRPDataFlags Flags) override { FFlags = Flags; }
  TCustomRPRTFReaderProperties* GetRTFProperties() const override { return &FReader; }
  int32_t GetWidth() const override { return Width; }
  TRPCanvas* GetCanvas() const override { return Canvas; }

  int32_t Width = 0;
  TRPCanvas* Canvas = nullptr;

private:
  TRPStyle& FStyle;
  TRPDataFlags FFlags;
  mutable TRPRTFReaderProperties FReader;
};
