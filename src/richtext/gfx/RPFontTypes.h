// Font descriptions and font metrics: the logical font a text style asks for, the
// font object a canvas draws with, and the metrics the measuring code reads back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "richtext/gfx/EnumSet.h"
#include "richtext/gfx/RPColor.h"
#include "richtext/gfx/RPGeometry.h"
#include "richtext/gfx/RPRounding.h"

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = EnumSet<TFontStyle>;

inline constexpr int32_t RP_FW_NORMAL = 400;
inline constexpr int32_t RP_FW_BOLD = 700;

inline constexpr uint8_t RP_ANSI_CHARSET = 0;
inline constexpr uint8_t RP_DEFAULT_CHARSET = 1;
inline constexpr uint8_t RP_SYMBOL_CHARSET = 2;

inline constexpr uint8_t RP_DEFAULT_QUALITY = 0;

// A face name holds at most this many bytes; longer names are cut, as the
// platform's fixed-size name field cuts them.
inline constexpr size_t RP_MaxFaceNameLength = 31;

// The logical description of a font, as text styles build it before selecting it.
struct TRPLogFont {
  int32_t Height = 0; // negative: em height in pixels; positive: cell height
  int32_t Width = 0;  // average character width, 0 for the face's own
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = 0; // RP_FW_NORMAL or RP_FW_BOLD
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t CharSet = RP_ANSI_CHARSET;
  uint8_t Quality = RP_DEFAULT_QUALITY;
  uint8_t PitchAndFamily = 0;

  const std::string& FaceName() const { return FFaceName; }
  // Longer names are cut to RP_MaxFaceNameLength bytes, never inside a UTF-8
  // sequence: a half character would name no installed face at all.
  void SetFaceName(std::string_view Name) {
    if (Name.size() > RP_MaxFaceNameLength) {
      size_t Cut = RP_MaxFaceNameLength;
      while (Cut > 0 && (static_cast<unsigned char>(Name[Cut]) & 0xC0) == 0x80)
        --Cut;
      Name = Name.substr(0, Cut);
    }
    FFaceName.assign(Name);
  }

  bool operator==(const TRPLogFont&) const = default;

private:
  std::string FFaceName;
};

struct TRPTextMetric {
  int32_t tmHeight = 0; // ascent + descent
  int32_t tmAscent = 0;
  int32_t tmDescent = 0;
  int32_t tmInternalLeading = 0; // height - em
  int32_t tmExternalLeading = 0;
  int32_t tmAveCharWidth = 0;
  int32_t tmMaxCharWidth = 0;
  int32_t tmWeight = 0;
  int32_t tmOverhang = 0;
  bool tmItalic = false;
  bool tmUnderlined = false;
  bool tmStruckOut = false;
  uint8_t tmCharSet = RP_ANSI_CHARSET;
  uint8_t tmPitchAndFamily = 0;

  bool operator==(const TRPTextMetric&) const = default;
};

// Metrics of scalable fonts. Offsets follow the platform's signs: a subscript
// offset is positive downwards, a superscript offset positive upwards, and the
// underscore and strike-out positions are measured upwards from the baseline (an
// underline just below the baseline has a negative position).
struct TRPOutlineTextMetric {
  TRPTextMetric otmTextMetrics;
  int32_t otmEMSquare = 0;
  int32_t otmAscent = 0;
  int32_t otmDescent = 0; // negative below the baseline
  TPoint otmptSubscriptSize;
  TPoint otmptSubscriptOffset;
  TPoint otmptSuperscriptSize;
  TPoint otmptSuperscriptOffset;
  int32_t otmsStrikeoutSize = 0;
  int32_t otmsStrikeoutPosition = 0;
  int32_t otmsUnderscoreSize = 0;
  int32_t otmsUnderscorePosition = 0;

  bool operator==(const TRPOutlineTextMetric&) const = default;
};

// The font a canvas draws and measures with. Drawing code sets its fields directly,
// as it would on the toolkit's font object.
struct TRPFont {
  std::string Name = "Arial";
  int32_t Height = -16; // pixels; negative: em height, positive: cell height
  TFontStyles Style;
  uint8_t Charset = RP_DEFAULT_CHARSET;
  TRPColor Color = clWindowText;
  uint8_t Quality = RP_DEFAULT_QUALITY;
  // The resolution the point size refers to: the screen's for screen canvases.
  int32_t PixelsPerInch = 96;
  // Average character width asked for by a logical font (horizontally scaled
  // text), 0 for the face's own. A font object cannot carry it on its own: code
  // that goes back to setting the fields directly must set it back to 0.
  int32_t Width = 0;

  // Point size, derived from Height the way the toolkit's font object does, so
  // that reading back a size that was set gives the same number.
  int32_t Size() const { return -MulDiv(Height, 72, PixelsPerInch); }
  void SetSize(int32_t Points) { Height = -MulDiv(Points, PixelsPerInch, 72); }

  bool operator==(const TRPFont&) const = default;
};

// The description of Font that selecting it through a logical font would give.
inline TRPLogFont RP_FontToLogFont(const TRPFont& Font) {
  TRPLogFont LogFont;
  LogFont.Height = Font.Height;
  LogFont.Width = Font.Width;
  LogFont.Weight = Font.Style.Contains(fsBold) ? RP_FW_BOLD : RP_FW_NORMAL;
  LogFont.Italic = Font.Style.Contains(fsItalic);
  LogFont.Underline = Font.Style.Contains(fsUnderline);
  LogFont.StrikeOut = Font.Style.Contains(fsStrikeOut);
  LogFont.CharSet = Font.Charset;
  LogFont.Quality = Font.Quality;
  LogFont.SetFaceName(Font.Name);
  return LogFont;
}

// Makes Font describe LogFont. A logical font has no colour and no resolution, so
// Font keeps its own; escapement and orientation are dropped (no rotated text).
inline void RP_LogFontToFont(const TRPLogFont& LogFont, TRPFont& Font) {
  Font.Name = LogFont.FaceName();
  Font.Height = LogFont.Height;
  Font.Width = LogFont.Width;
  Font.Style = {};
  Font.Style.Set(fsBold, LogFont.Weight >= RP_FW_BOLD);
  Font.Style.Set(fsItalic, LogFont.Italic);
  Font.Style.Set(fsUnderline, LogFont.Underline);
  Font.Style.Set(fsStrikeOut, LogFont.StrikeOut);
  Font.Charset = LogFont.CharSet;
  Font.Quality = LogFont.Quality;
}
