#include "richtext/model/RPFuncs.h"

#include <algorithm>
#include <cstdlib>

#include "richtext/gfx/RPRounding.h"

int32_t RP_CompareInts(int32_t New, int32_t Old, int32_t Weight) {
  const int64_t Sum = static_cast<int64_t>(New) + Old;
  if (Sum == 0)
    return New == Old ? Weight : 0;
  const int64_t Diff = std::llabs(static_cast<int64_t>(New) - Old);
  const int64_t AbsSum = std::llabs(Sum);
  // Weight * (AbsSum - 2 * Diff) / AbsSum, exactly.
  return RP_ClampToInt32(RP_RoundDiv(static_cast<int64_t>(Weight) * (AbsSum - 2 * Diff), AbsSum));
}

int32_t RP_CompareColors(TRPColor Color1, TRPColor Color2, int32_t w1, int32_t w2) {
  if (Color1 == clNone || Color2 == clNone)
    return Color1 == Color2 ? w2 + 3 * w1 : 0;
  const uint32_t RGB1 = RP_ColorToRGB(Color1);
  const uint32_t RGB2 = RP_ColorToRGB(Color2);
  int32_t Score = 0;
  bool Light1 = false, Light2 = false;
  for (int Shift : {0, 8, 16}) {
    const int32_t C1 = static_cast<int32_t>((RGB1 >> Shift) & 0xFF);
    const int32_t C2 = static_cast<int32_t>((RGB2 >> Shift) & 0xFF);
    Score -= std::abs(C1 - C2) * w1 / 255;
    Light1 = Light1 || C1 > 64;
    Light2 = Light2 || C2 > 64;
  }
  if (Light1 == Light2)
    Score += w2;
  return Score;
}

bool RP_SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size())
    return false;
  for (size_t i = 0; i < A.size(); ++i) {
    char X = A[i], Y = B[i];
    if (X >= 'A' && X <= 'Z')
      X = static_cast<char>(X - 'A' + 'a');
    if (Y >= 'A' && Y <= 'Z')
      Y = static_cast<char>(Y - 'A' + 'a');
    if (X != Y)
      return false;
  }
  return true;
}

int32_t RP_GetLuminance(TRPColor Color) {
  const uint32_t RGB = RP_ColorToRGB(Color);
  const int64_t Luminance =
      RP_RoundDiv(30 * int64_t{RP_GetRValue(RGB)} + 59 * int64_t{RP_GetGValue(RGB)} +
                      11 * int64_t{RP_GetBValue(RGB)},
                  100);
  return static_cast<int32_t>(std::min<int64_t>(Luminance, 255));
}

TRPColor RP_GetGray(TRPColor Color) {
  if (Color == clNone)
    return clNone;
  const auto Gray = static_cast<uint8_t>(RP_GetLuminance(Color));
  return RP_RGB(Gray, Gray, Gray);
}
