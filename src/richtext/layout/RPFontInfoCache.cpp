#include "richtext/layout/RPFontInfoCache.h"

#include <algorithm>
#include <cstdlib>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/gfx/RPRounding.h"
#include "richtext/model/RPStyle.h"

TRPFontInfoCache::TRPFontInfoCache(TRPStyle& RPStyle, TRPCanvas& Canvas, bool CanUseCustomPPI)
    : FRPStyle(RPStyle), FCanvas(Canvas), FCanUseCustomPPI(CanUseCustomPPI) {
  FItems.resize(static_cast<size_t>(RPStyle.TextStyles.Count()));
}

void TRPFontInfoCache::Clear() {
  FItems.clear();
  FInvalidItem.reset();
  LastTextStyle = -1;
}

const TRPFontInfoCacheItem& TRPFontInfoCache::Items(int StyleNo) {
  const int Count = FRPStyle.TextStyles.Count();
  // Styles added since the cache was made get slots of their own.
  if (static_cast<int>(FItems.size()) < Count)
    FItems.resize(static_cast<size_t>(Count));
  const bool Valid = StyleNo >= 0 && StyleNo < Count;
  std::unique_ptr<TRPFontInfoCacheItem>& Slot =
      Valid ? FItems[static_cast<size_t>(StyleNo)] : FInvalidItem;
  const int Key = Valid ? StyleNo : -2;
  if (!Slot) {
    Slot = std::make_unique<TRPFontInfoCacheItem>();
    Fill(*Slot, Key);
  } else if (LastTextStyle != Key ||
             (!IgnoreParaBiDiMode && Slot->LastBiDiMode != CurParaBiDiMode)) {
    Select(*Slot, Key);
  }
  return *Slot;
}

void TRPFontInfoCache::Select(TRPFontInfoCacheItem& Item, int StyleNo) {
  FRPStyle.ApplyStyle(FCanvas, StyleNo, CurParaBiDiMode, FCanUseCustomPPI, &Item.ExtraFontInfo,
                      false, false, false);
  Item.LastBiDiMode = CurParaBiDiMode;
  LastTextStyle = StyleNo;
}

// The reduced size of a sub- or superscript and how far its baseline moves, measured on
// the full-size font.
void TRPFontInfoCache::AssignSSProperties(TRPFontInfoCacheItem& Item, const TFontInfo& Style) {
  Item.ExtraFontInfo.ScriptHeight = 0;
  Item.VerticalOffset = 0;
  if (Style.SubSuperScriptType == rpsssNormal)
    return;
  TRPGraphicInterface& GI = FRPStyle.GetGraphicInterface();
  const bool Subscript = Style.SubSuperScriptType == rpsssSubscript;
  Item.ExtraFontInfo.ScriptHeight = Style.GetScriptHeight(FCanvas, FRPStyle);
  TRPOutlineTextMetric Metrics;
  if (GI.GetOutlineTextMetrics(FCanvas, Metrics)) {
    if (Subscript) {
      Item.VerticalOffset = -Metrics.otmptSubscriptOffset.Y;
    } else {
      // A superscript must not rise above the line it belongs to.
      Item.VerticalOffset =
          std::min(Metrics.otmptSuperscriptOffset.Y,
                   Metrics.otmTextMetrics.tmHeight - Item.ExtraFontInfo.ScriptHeight);
    }
    return;
  }
  const int64_t Height = FCanvas.Font.Height;
  Item.VerticalOffset = Subscript ? -static_cast<int32_t>(std::llabs(RP_RoundDiv(Height, 4)))
                                  : static_cast<int32_t>(std::llabs(RP_RoundDiv(Height * 45, 100)));
}

void TRPFontInfoCache::Fill(TRPFontInfoCacheItem& Item, int StyleNo) {
  TRPGraphicInterface& GI = FRPStyle.GetGraphicInterface();
  const TFontInfo& Style =
      StyleNo >= 0 ? FRPStyle.TextStyles[StyleNo] : FRPStyle.TextStyles.InvalidItem();
  Item.Canvas = &FCanvas;
  Item.FontInfo = &Style;
  // The full-size font first: script sizes and offsets are relative to it.
  FRPStyle.ApplyStyle(FCanvas, StyleNo, CurParaBiDiMode, FCanUseCustomPPI, nullptr, true, false,
                      false);
  AssignSSProperties(Item, Style);
  Select(Item, StyleNo);
  GI.GetTextMetrics(FCanvas, Item.TextMetric);
  Item.EmptyLineHeight = GI.TextHeight(FCanvas, u"-");
  Item.HyphenWidth = GI.TextWidth(FCanvas, u"-");
  Item.HyphenWidthFC = Item.HyphenWidth;
  Item.AverageCharWidth = GI.TextWidth(FCanvas, u"X");
  Item.VerticalOffset += MulDiv(Item.TextMetric.tmHeight, Style.VShift, 100);
}
