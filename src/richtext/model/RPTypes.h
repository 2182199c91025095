// Types and switches shared by every part of the engine's document model.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "richtext/gfx/EnumSet.h"

// The engine's error for misuse and exhausted resources.
class ERichPaneError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A length in a style record, in the style sheet's units.
using TRPStyleLength = int32_t;

enum TRPStyleUnits : uint8_t { rpstuPixels, rpstuTwips };

enum TRPBiDiMode : uint8_t { rpbdUnspecified, rpbdLeftToRight, rpbdRightToLeft };

// Measuring text on the high-resolution formatting surface multiplies pixels by this.
inline constexpr int32_t RPFORMATCANVASFACTOR = 100;
inline constexpr int32_t RPFORMATCANVASRESOLUTION = 96 * RPFORMATCANVASFACTOR;

// Screen and device resolutions and the document's margins in device pixels,
// handed to every formatting step.
struct TRPScreenAndDevice {
  int32_t ppixScreen = 96;
  int32_t ppiyScreen = 96;
  int32_t ppixDevice = 96;
  int32_t ppiyDevice = 96;
  int32_t LeftMargin = 0;
  int32_t RightMargin = 0;
};

// The result of reading RTF.
enum TRPRTFErrorCode : uint8_t {
  rtf_ec_OK,
  rtf_ec_StackUnderflow,
  rtf_ec_StackOverflow,
  rtf_ec_UnmatchedBrace,
  rtf_ec_InvalidHex,
  rtf_ec_BadTable,
  rtf_ec_Assertion,
  rtf_ec_EndOfFile,
  rtf_ec_FileOpenError,
  rtf_ec_Exception,
  rtf_ec_InvalidPicture,
  rtf_ec_Aborted
};

// Where a run read from RTF goes.
enum TRPRTFPosition : uint8_t { rtf_ts_ContinuePara, rtf_ts_NewLine, rtf_ts_NewPara };

// What a read got over without failing. Each kind means that something the file holds was
// dropped or read otherwise than it was written; the text around it was kept.
enum TRPRTFWarning : uint8_t {
  rtf_warn_InvalidHex,    // a \' escape without two hex digits was dropped
  rtf_warn_StrayBrace,    // a closing brace before the end of the document was not taken
  rtf_warn_DeepGroups,    // groups nested beyond the limit were read without their own properties
  rtf_warn_TrailingBytes, // bytes after the end of the document were not read
  rtf_warn_InvalidPicture // a picture's data could not be read; the picture was not shown
};
using TRPRTFWarnings = EnumSet<TRPRTFWarning>;

// How sequence fields and notes are numbered.
enum TRPSeqType : uint8_t {
  rpseqDecimal,
  rpseqLowerAlpha,
  rpseqUpperAlpha,
  rpseqLowerRoman,
  rpseqUpperRoman
};

// How colours are turned for output devices.
enum TRPColorMode : uint8_t {
  rpcmColor,
  rpcmPrinterColor,
  rpcmGrayScale,
  rpcmBlackAndWhite,
  rpcmBlackOnWhite
};

// How line breaking finds the longest fitting prefix of a text: as the graphic interface
// prefers, always with the interface's fitting, or always with the layout's own search.
enum TRPStringFormatMethod : uint8_t { rpsfmAuto, rpsfmEngine, rpsfmTRichPane };

// Process-wide switches. The program keeps their defaults; tests change them and
// put them back with Reset.
struct TRichPaneSwitches {
  TRPStringFormatMethod RichPaneStringFormatMethod = rpsfmAuto;
  bool RichPaneShowGhostSpaces = false;
  bool RichPaneJustifyBeforeLineBreak = false;
  bool RichPaneCompareStyleNames = false;
  bool RichPaneResetStandardFlag = true;
  bool RichPaneDoNotMergeNumbering = false;
  // Markers show nothing: no list style reference is looked up.
  bool RichPaneDoNotCheckRPFStyleRefs = false;
  // Resolution for converting lengths; 0 means the screen's.
  int32_t RichPanePixelsPerInch = 0;
  // The screen's logical resolution, set by the platform layer at start-up.
  int32_t ScreenPixelsPerInch = 96;

  void Reset() { *this = TRichPaneSwitches(); }
};

extern TRichPaneSwitches RichPaneSwitches;
