#include "guide/GuideArticles.h"

#include "richtext/gfx/RPBitmap.h"
#include "richtext/model/RPStyle.h"

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

TGuideArticleDocument::TGuideArticleDocument(TRPStyle& Style) : FStyle(Style) {
  FFlags.Include(rpflRoot);
  FFlags.Include(rpflTrim);
  FReader.TextStyleMode = rprsAddIfNeeded;
  FReader.ParaStyleMode = rprsAddIfNeeded;
}
