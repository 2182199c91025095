// The style sheet: owns the text and paragraph style collections, the units of
// length and the settings shared by every document that uses it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPTypes.h"

class TRPCanvas;
class TRPGraphicInterface;

class TRPStyle {
public:
  TRPStyle();
  TRPStyle(const TRPStyle&) = delete;
  TRPStyle& operator=(const TRPStyle&) = delete;

  TFontInfos TextStyles;
  TParaInfos ParaStyles;

  TRPStyleUnits Units = rpstuPixels;
  TRPStyleLength DefTabWidth = 48;
  int32_t SpacesInTab = 0;
  int16_t JumpCursor = crJump;
  TRPColor HoverColor = clNone;
  // New text styles store Unicode text.
  bool FDefaultUnicodeStyles = true;
  // The drawing interface; not owned here.
  TRPGraphicInterface* GraphicInterface = nullptr;

  // Takes over drawing a paragraph background when it clears DoDefault.
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int ParaNo, const TRect& Rect,
                     bool& DoDefault)>
      OnDrawParaBack;

  // ---- text styles
  // The index of a record equal to TextStyle, appending a copy when there is none.
  int FindTextStyle(const TFontInfo& TextStyle);
  int AddTextStyle();
  void DeleteTextStyle(int Index);
  // The six records of a new style sheet.
  void ResetTextStyles();
  TRPColor GetHoverColor(int StyleNo) const;
  TRPColor GetHoverColorByColor(TRPColor Color) const;

  // ---- paragraph styles
  int FindParaStyle(const TParaInfo& ParaStyle);
  // The two records of a new style sheet.
  void ResetParaStyles();
  // Draws record ParaNo's background into Rect, unless OnDrawParaBack takes over.
  void DrawParaBack(TRPCanvas& Canvas, int ParaNo, const TRect& Rect, bool Printing,
                    TRPColorMode ColorMode);
  // The tab stop after X (device pixels) in paragraph ParaNo: position, leader, alignment.
  void GetNextTab(int ParaNo, int32_t X, const TRPScreenAndDevice& sad, int32_t& Position,
                  std::string& Leader, TRPTabAlign& Align, TRPBiDiMode DefBiDiMode,
                  int32_t LeftIndent, int32_t RightIndent) const;

  // ---- lengths (see each conversion; twips-to-pixels never turns non-zero into 0)
  // Resolution used for pixel lengths: RichPanePixelsPerInch, else the screen's.
  int32_t PixelsPerInch() const;
  int32_t GetAsPixels(TRPStyleLength Value) const;
  TRPStyleLength TwipsToUnits(int32_t Value) const;
  int32_t GetAsTwips(TRPStyleLength Value) const;
  TRPStyleLength PixelsToUnits(int32_t Value) const;
  int32_t TwipsToPixels(int32_t Value) const;
  int32_t PixelsToTwips(int32_t Value) const;
  double GetAsPoints(TRPStyleLength Value) const;
  int32_t GetAsEMU(TRPStyleLength Value) const;
  // Device pixels; without a device record (or one with a zero resolution) the same as
  // GetAsPixels.
  int32_t GetAsDevicePixelsX(TRPStyleLength Value, const TRPScreenAndDevice* sad) const;
  int32_t GetAsDevicePixelsY(TRPStyleLength Value, const TRPScreenAndDevice* sad) const;
  // Value, in the current units, expressed in NewUnits.
  TRPStyleLength ConvertLength(TRPStyleLength Value, TRPStyleUnits NewUnits) const;
  // Converts every length of the sheet and its styles, then switches Units.
  void ConvertToDifferentUnits(TRPStyleUnits NewUnits);

private:
  int32_t GetAsDevicePixels(TRPStyleLength Value, int32_t ScreenPPI, int32_t DevicePPI) const;
};
