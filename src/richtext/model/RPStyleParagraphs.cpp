// The style sheet's operations on paragraph styles.
#include "richtext/model/RPStyle.h"

#include <algorithm>

#include "richtext/gfx/RPRounding.h"

int TRPStyle::FindParaStyle(const TParaInfo& ParaStyle) {
  return ParaStyles.FindSuchStyleEx(0, ParaStyle, RPAllParaInfoProperties);
}

void TRPStyle::ResetParaStyles() {
  ParaStyles.Clear();
  ParaStyles.Add();
  TParaInfo& Centered = ParaStyles.Add();
  Centered.StyleName = "Centered";
  Centered.Alignment = rpaCenter;
}

void TRPStyle::DrawParaBack(TRPCanvas& Canvas, int ParaNo, const TRect& Rect, bool Printing,
                            TRPColorMode ColorMode) {
  bool DoDefault = true;
  if (OnDrawParaBack)
    OnDrawParaBack(*this, Canvas, ParaNo, Rect, DoDefault);
  if (!DoDefault)
    return;
  // A printer cannot blend; the printing painter composes semitransparent backgrounds
  // on a bitmap of its own.
  ParaStyles.Items(ParaNo).Background.Draw(Rect, Canvas, !Printing, GetGraphicInterface(),
                                           ColorMode);
}

void TRPStyle::GetNextTab(int ParaNo, int32_t X, const TRPScreenAndDevice& sad, int32_t& Position,
                          std::string& Leader, TRPTabAlign& Align, TRPBiDiMode DefBiDiMode,
                          int32_t LeftIndent, int32_t RightIndent) const {
  const TParaInfo& Para = ParaStyles.Items(ParaNo);
  const TRPBiDiMode BiDiMode = DefBiDiMode != rpbdUnspecified ? DefBiDiMode : Para.BiDiMode;
  const bool RightToLeft = BiDiMode == rpbdRightToLeft;
  // Work in 64 bits: X and the indents come from layout and may be anywhere.
  int64_t PosX = int64_t{X} - sad.LeftMargin;
  int64_t Indent = LeftIndent;
  if (RightToLeft) {
    PosX += int64_t{RightIndent} - LeftIndent;
    Indent = RightIndent;
  }
  int64_t Stop = 0;
  bool Found = false;
  Leader.clear();
  Align = rptaLeft;
  int64_t LastTab = 0;
  for (int i = 0; i < Para.Tabs.Count() && !Found; ++i) {
    const TRPTabInfo& Tab = Para.Tabs[i];
    const int64_t P = GetAsDevicePixelsX(Tab.Position(), &sad);
    LastTab = P;
    // The indent of a hanging paragraph acts as a stop before the first explicit one
    // beyond it.
    if (Indent > PosX && P > Indent) {
      Stop = Indent;
      Found = true;
    } else if (P > PosX) {
      Stop = P;
      Leader = Tab.Leader;
      Align = Tab.Align;
      Found = true;
    }
  }
  if (!Found) {
    if (Indent > PosX && (Para.Tabs.Count() == 0 || LastTab <= Indent))
      Stop = Indent;
    else {
      const int64_t d = std::max(1, GetAsDevicePixelsX(DefTabWidth, &sad));
      Stop = d * ((PosX + d) / d);
    }
  }
  int64_t Result = Stop + sad.LeftMargin;
  if (RightToLeft)
    Result = Result - RightIndent + LeftIndent;
  Position = RP_ClampToInt32(Result);
}
