#include "guide/GuideArticles.h"

#include "richtext/gfx/RPBitmap.h"
#include "richtext/model/RPStyle.h"
#include "richtext/view/RichPane.h"

void InitGuideStyleSheet(TRPStyle& Sheet) {
  Sheet.TextStyles.Clear();
  TFontInfo& Normal = Sheet.TextStyles.Add();
  Normal.StyleName = "Normal text";
  Normal.FontName = "Times New Roman";
  Normal.SizeDouble = 24;
  Normal.Unicode = true;
  Sheet.ParaStyles.Clear();
  Sheet.ParaStyles.Add().StyleName = "Left";
  Sheet.SetInvalidPicture(RP_MakeInvalidPictureMark());
}

void ConfigureGuidePane(TCustomRichPane& Pane) {
  Pane.Name = "rpe";
  Pane.Options = {};
  for (TRPOption Option : {rpoAllowSelection, rpoScrollToEnd, rpoShowPageBreaks, rpoTagsArePChars,
                           rpoAutoCopyText, rpoAutoCopyRPF, rpoAutoCopyImage, rpoAutoCopyRTF,
                           rpoFormatInvalidate, rpoDblClickSelectsWord, rpoRClickDeselects})
    Pane.Options.Include(Option);
  for (TRPDataFlag Flag :
       {rpflTrim, rpflRootEditor, rpflRoot, rpflCanUseCustomPPI, rpflCanProcessGetText})
    Pane.Flags.Include(Flag);
  Pane.GetRTFReadProperties().TextStyleMode = rprsAddIfNeeded;
  Pane.GetRTFReadProperties().ParaStyleMode = rprsAddIfNeeded;
}

TGuideArticleDocument::TGuideArticleDocument(TRPStyle& Style) : FStyle(Style) {
  FFlags.Include(rpflRoot);
  FFlags.Include(rpflTrim);
  FReader.TextStyleMode = rprsAddIfNeeded;
  FReader.ParaStyleMode = rprsAddIfNeeded;
}
