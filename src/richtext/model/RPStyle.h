// The style sheet: owns the text, paragraph and list style collections, the units of
// length and the settings shared by every document that uses it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "richtext/gfx/RPCanvas.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/gfx/RPPicture.h"
#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPListInfo.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPTypes.h"

class TRPCanvas;
class TRPGraphicInterface;

enum TRPFieldHighlightType : uint8_t { rpfhNever, rpfhCurrent, rpfhAlways };
enum TRPSelectionMode : uint8_t { rpsmChar, rpsmWord, rpsmParagraph };
enum TRPSelectionStyle : uint8_t { rpssItems, rpssLines };
enum TRPTextBackgroundKind : uint8_t { rptbkSimple, rptbkItems, rptbkLines };
enum TRPLineWrapMode : uint8_t { rpWrapAnywhere, rpWrapSimple, rpWrapNormal };
enum TRPTextEngine : uint8_t { rpteWindows, rpteUniscribe };
enum TRPSelectionHandleKind : uint8_t { rpshkWedge, rpshkCircle };
enum TRPPageBreakType : uint8_t { rppbPageBreak, rppbSoftPageBreak };

// Makes the platform's drawing interface; the platform layer installs it at start-up.
using TRPGraphicInterfaceFactory = std::function<std::unique_ptr<TRPGraphicInterface>()>;
void RP_SetGraphicInterfaceFactory(TRPGraphicInterfaceFactory Factory);

// The cursor in the line-selection margin.
inline constexpr int16_t crRPFlipArrow = 106;
inline constexpr TRPColor DEFAULT_FLOATINGLINECOLOR = 0xBDA28A;

class TRPStyle {
public:
  TRPStyle();
  TRPStyle(const TRPStyle&) = delete;
  TRPStyle& operator=(const TRPStyle&) = delete;

  TFontInfos TextStyles;
  TParaInfos ParaStyles;
  // Empty in a new sheet: readers add the lists they meet.
  TRPListInfos ListStyles;

  TRPStyleUnits Units = rpstuPixels;
  TRPStyleLength DefTabWidth = 48;
  int32_t SpacesInTab = 0;
  int16_t JumpCursor = crJump;
  TRPColor HoverColor = clNone;
  int16_t LineSelectCursor = crRPFlipArrow;
  bool FullRedraw = false;
  bool UseSound = true;
  TRPColor Color = clWindow;
  TRPColor CurrentItemColor = clNone;
  TRPColor SelColor = clHighlight;
  TRPColor SelTextColor = clHighlightText;
  TRPColor InactiveSelColor = clHighlight;
  TRPColor InactiveSelTextColor = clHighlightText;
  // Behind the text that a search found (a light yellow).
  TRPColor FoundColor = 0x0080F0FF;
  TRPColor CheckpointColor = clGreen;
  TRPColor CheckpointEvColor = 0x00FF00;
  TRPColor PageBreakColor = clBtnShadow;
  TRPColor SoftPageBreakColor = clBtnFace;
  TRPColor LiveSpellingColor = clRed;
  TRPColor FloatingLineColor = DEFAULT_FLOATINGLINECOLOR;
  TRPColor SpecialCharactersColor = clNone;
  TRPColor GridColor = clBtnFace;
  TRPColor GridReadOnlyColor = clBtnFace;
  TPenStyle GridStyle = psDot;
  TPenStyle GridReadOnlyStyle = psClear;
  TRPSeqType FootnoteNumbering = rpseqDecimal;
  TRPSeqType EndnoteNumbering = rpseqLowerRoman;
  TRPSeqType SidenoteNumbering = rpseqLowerAlpha;
  bool FootnotePageReset = true;
  TRPSelectionHandleKind SelectionHandleKind = rpshkWedge;
  TRPColor FieldHighlightColor = clBtnFace;
  TRPFieldHighlightType FieldHighlightType = rpfhCurrent;
  TRPColor DisabledFontColor = clNone;
  TRPSelectionMode SelectionMode = rpsmWord;
  TRPSelectionStyle SelectionStyle = rpssItems;
  TRPTextBackgroundKind TextBackgroundKind = rptbkItems;
  TRPLineWrapMode LineWrapMode = rpWrapNormal;
  int32_t DefUnicodeStyle = -1;
  int32_t DefCodePage = 0;
  uint8_t FontQuality = RP_DEFAULT_QUALITY;
  TRPTextEngine TextEngine = rpteUniscribe;
  // New text styles store Unicode text.
  bool FDefaultUnicodeStyles = true;
  // The drawing interface in use: the one made by CreateGraphicInterface, or one a
  // caller (a test) puts here, which the sheet does not own.
  mutable TRPGraphicInterface* GraphicInterface = nullptr;
  // The drawing interface, made on first use (ERichPaneError when there is none to make).
  TRPGraphicInterface& GetGraphicInterface() const;
  // Makes the drawing interface from the installed factory; nothing when one is in use.
  void CreateGraphicInterface() const;
  // Changes the text engine; the drawing interface is made again.
  void SetTextEngine(TRPTextEngine Value);

  // Shown in place of pictures that cannot be read; made on first use (a 32 x 32 mark).
  const TRPPicture& GetInvalidPicture() const;
  void SetInvalidPicture(std::unique_ptr<TRPPicture> Value) { FInvalidPicture = std::move(Value); }

  // Which item is being drawn, for the drawing handlers.
  int ItemNo = -1;
  int OffsetInItem = 0;
  const void* RPData = nullptr;

  // Takes over drawing a paragraph background when it clears DoDefault.
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int ParaNo, const TRect& Rect,
                     bool& DoDefault)>
      OnDrawParaBack;
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int StyleNo, const TRect& Rect,
                     TRPTextDrawState DrawState, bool& DoDefault)>
      OnDrawTextBack;
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int32_t X, int32_t Y, int ItemNo,
                     bool RaiseEvent, bool& DoDefault)>
      OnDrawCheckpoint;
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int32_t Y, TRPPageBreakType Type,
                     int ItemNo, bool& DoDefault)>
      OnDrawPageBreak;

  // Each may take the work over by clearing DoDefault.
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int StyleNo, bool& DoDefault)>
      OnApplyStyle;
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int StyleNo)> OnAfterApplyStyle;
  std::function<void(TRPStyle& Sender, TRPCanvas& Canvas, int StyleNo, TRPTextDrawState DrawState,
                     bool& DoDefault)>
      OnApplyStyleColor;
  std::function<void(TRPStyle& Sender, int StyleNo, bool& Sensitive)> OnStyleHoverSensitive;
  std::function<void(TRPStyle& Sender, TRPTextView s, TRPCanvas& Canvas, int StyleNo,
                     int32_t SpaceAtLeft, int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                     TRPTextDrawState DrawState, bool& DoDefault)>
      OnDrawStyleText;

  // ---- applying text styles to a surface (implemented in RPStyleApply.cpp)
  // Selects text style StyleNo (the invalid style when out of range) into Canvas.
  void ApplyStyle(TRPCanvas& Canvas, int StyleNo, TRPBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                  const TRPExtraFontInfo* ExtraFontInfo, bool IgnoreSubSuperScript,
                  bool ToFormatCanvas, bool UseVerticalFont);
  // Applies the colours of text style StyleNo for the draw state.
  void ApplyStyleColor(TRPCanvas& Canvas, int StyleNo, TRPTextDrawState DrawState, bool Printing,
                       TRPColorMode ColorMode);
  // Draws a run of item ItemNo (from OffsetInItem) in text style StyleNo (the invalid
  // style when out of range); the font and colours are applied already. The arguments
  // are those of the text style's Draw.
  void DrawStyleText(TRPTextView s, TRPCanvas& Canvas, int ItemNo, int OffsetInItem, int StyleNo,
                     const void* Data, int32_t SpaceAtLeft, int32_t Left, int32_t Top,
                     int32_t Width, int32_t Height, int32_t TextWidth, int32_t SpaceCount,
                     TRPTextDrawState DrawState, TRPBiDiMode DefBiDiMode, int32_t LeftNoExpIndex,
                     int32_t RightNoExpIndex);
  // Whether text of style StyleNo changes when the mouse is over it.
  bool StyleHoverSensitive(int StyleNo);

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
  // Fills Rect with text style StyleNo's background for the draw state, unless
  // OnDrawTextBack takes over (it may only when TextBackgroundKind is not simple).
  void DrawTextBack(TRPCanvas& Canvas, int ItemNo, int StyleNo, const TRect& Rect,
                    TRPTextDrawState DrawState, bool Printing, TRPColorMode ColorMode);
  // A checkpoint's mark: a dot at (X, Y) for an item's checkpoint and a dotted line
  // across the area at Y.
  void DrawCheckpoint(TRPCanvas& Canvas, int32_t X, int32_t Y, int32_t AreaLeft, int32_t Width,
                      int ItemNo, int32_t XShift, bool RaiseEvent);
  // A page break's line across a pane ClientWidth wide, with a folded corner at its end.
  void DrawPageBreak(TRPCanvas& Canvas, int32_t Y, int32_t XShift, TRPPageBreakType Type,
                     int32_t ClientWidth, int ItemNo);

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
  mutable std::unique_ptr<TRPGraphicInterface> FGraphicInterface;
  mutable std::unique_ptr<TRPPicture> FInvalidPicture;
  int32_t GetAsDevicePixels(TRPStyleLength Value, int32_t ScreenPPI, int32_t DevicePPI) const;
};
