// Colours: 0x00BBGGRR for explicit colours (red in the low byte), 0xFF0000nn for
// system colour nn (resolved only when needed), clNone for "no colour".
#pragma once

#include <cstdint>

using TRPColor = uint32_t;

inline constexpr TRPColor clNone = 0x1FFFFFFF;
inline constexpr TRPColor clDefault = 0x20000000;

inline constexpr TRPColor clBlack = 0x000000;
inline constexpr TRPColor clMaroon = 0x000080;
inline constexpr TRPColor clGreen = 0x008000;
inline constexpr TRPColor clNavy = 0x800000;
inline constexpr TRPColor clRed = 0x0000FF;
inline constexpr TRPColor clBlue = 0xFF0000;
inline constexpr TRPColor clGray = 0x808080;
inline constexpr TRPColor clSilver = 0xC0C0C0;
inline constexpr TRPColor clWhite = 0xFFFFFF;

inline constexpr TRPColor clScrollBar = 0xFF000000;
inline constexpr TRPColor clWindow = 0xFF000005;
inline constexpr TRPColor clWindowText = 0xFF000008;
inline constexpr TRPColor clHighlight = 0xFF00000D;
inline constexpr TRPColor clHighlightText = 0xFF00000E;
inline constexpr TRPColor clBtnFace = 0xFF00000F;
inline constexpr TRPColor clBtnShadow = 0xFF000010;
inline constexpr TRPColor clGrayText = 0xFF000011;
inline constexpr TRPColor clBtnHighlight = 0xFF000014;

constexpr bool RP_IsSystemColor(TRPColor Color) { return (Color & 0xFF000000) == 0xFF000000; }

constexpr uint8_t RP_GetRValue(uint32_t RGB) { return RGB & 0xFF; }
constexpr uint8_t RP_GetGValue(uint32_t RGB) { return (RGB >> 8) & 0xFF; }
constexpr uint8_t RP_GetBValue(uint32_t RGB) { return (RGB >> 16) & 0xFF; }
constexpr uint32_t RP_RGB(uint8_t R, uint8_t G, uint8_t B) {
  return R | (uint32_t{G} << 8) | (uint32_t{B} << 16);
}

// Where system colours come from: the desktop's palette in the program, fixed
// classic values in the engine's tests.
class TRPColorResolver {
public:
  virtual ~TRPColorResolver() = default;
  // 0x00BBGGRR of system colour Index (0..30).
  virtual uint32_t SystemColorToRGB(int Index) const = 0;
};

// The classic desktop values (window white, text black, highlight navy, ...).
class TRPClassicColorResolver : public TRPColorResolver {
public:
  uint32_t SystemColorToRGB(int Index) const override;
};

// Installs the resolver used by RP_ColorToRGB; nullptr restores the classic one.
// The caller keeps ownership and must outlive its installation.
void RP_SetColorResolver(const TRPColorResolver* Resolver);

// 0x00BBGGRR of any colour: system colours through the resolver; other values have
// their top byte cleared. clNone resolves to white.
uint32_t RP_ColorToRGB(TRPColor Color);
