// The measuring data of every text style for one formatting pass or one paint: the font
// metrics, the sub- and superscript reduction and shift, and the widths the line breaking
// estimates with. Entries are made on first request.
//
// This is the low-resource variant: every entry measures on the formatting canvas
// itself, which gets the style's font again only when another style was selected since.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "richtext/gfx/RPFontTypes.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPTypes.h"

class TRPCanvas;
class TRPStyle;

class TRPFontInfoCacheItem {
public:
  TRPBiDiMode LastBiDiMode = rpbdUnspecified;
  TRPCanvas* Canvas = nullptr;
  TRPTextMetric TextMetric;
  TRPExtraFontInfo ExtraFontInfo;
  const TFontInfo* FontInfo = nullptr;
  // Baseline shift in device pixels; positive raises the text.
  int32_t VerticalOffset = 0;
  // The height of "-": the height of an empty line in this style.
  int32_t EmptyLineHeight = 0;
  // The width of "X", for estimating how much text fits.
  int32_t AverageCharWidth = 0;
  // The width of "-", added where a soft hyphen ends a line.
  int32_t HyphenWidth = 0;
  int32_t HyphenWidthFC = 0;
};

class TRPFontInfoCache {
public:
  // Canvas: where text is measured (here also where it is painted: the high-resolution
  // formatting surface is not used).
  TRPFontInfoCache(TRPStyle& RPStyle, TRPCanvas& Canvas, bool CanUseCustomPPI);

  // The entry of text style StyleNo, its font selected into the measuring canvas. A
  // number outside the style sheet gets the invalid style's entry.
  const TRPFontInfoCacheItem& Items(int StyleNo);
  void Clear();
  // Someone else set the canvas's font: the next request selects its style again.
  void CanvasChanged() { LastTextStyle = -1; }

  TRPBiDiMode CurParaBiDiMode = rpbdUnspecified;
  bool IgnoreParaBiDiMode = false;

private:
  void Fill(TRPFontInfoCacheItem& Item, int StyleNo);
  void Select(TRPFontInfoCacheItem& Item, int StyleNo);
  void AssignSSProperties(TRPFontInfoCacheItem& Item, const TFontInfo& Style);

  TRPStyle& FRPStyle;
  TRPCanvas& FCanvas;
  bool FCanUseCustomPPI;
  std::vector<std::unique_ptr<TRPFontInfoCacheItem>> FItems;
  std::unique_ptr<TRPFontInfoCacheItem> FInvalidItem;
  int LastTextStyle = -1;
};
