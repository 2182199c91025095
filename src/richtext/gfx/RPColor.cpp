#include "richtext/gfx/RPColor.h"

namespace {

const TRPClassicColorResolver ClassicResolver;
const TRPColorResolver* CurrentResolver = &ClassicResolver;

} // namespace

uint32_t TRPClassicColorResolver::SystemColorToRGB(int Index) const {
  // The classic desktop scheme, 0x00BBGGRR.
  static const uint32_t Classic[] = {
      0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, // 0 scroll bar .. 4 menu
      0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, // 5 window .. 9 caption text
      0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, // 10 .. 13 highlight, 14 its text
      0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, // 15 button face .. 19
      0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xE1FFFF, // 20 .. 24 info background
      0xC0C0C0, 0x800000, 0xD08410, 0xB5B5B5, 0x800000, // 25 .. 29 menu highlight
      0xC0C0C0,                                         // 30 menu bar
  };
  if (Index < 0 || Index >= static_cast<int>(sizeof Classic / sizeof Classic[0]))
    return 0;
  return Classic[Index];
}

void RP_SetColorResolver(const TRPColorResolver* Resolver) {
  CurrentResolver = Resolver ? Resolver : &ClassicResolver;
}

uint32_t RP_ColorToRGB(TRPColor Color) {
  if (Color == clNone)
    return 0xFFFFFF;
  if (RP_IsSystemColor(Color))
    return CurrentResolver->SystemColorToRGB(static_cast<int>(Color & 0xFF));
  return Color & 0x00FFFFFF;
}
