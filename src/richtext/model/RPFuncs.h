// Similarity helpers: scores that say how close two values are, used to pick the
// nearest existing style when an exact one must not be added.
#pragma once

#include <cstdint>

#include "richtext/gfx/RPColor.h"

// Weight when both are 0; else Weight * (1 - 2|New - Old| / |New + Old|), rounded
// halves to even (negative when the values are far apart).
int32_t RP_CompareInts(int32_t New, int32_t Old, int32_t Weight);

// Both none: w2 + 3 * w1; one none: 0. Otherwise minus |difference| * w1 / 255 per
// RGB channel, plus w2 when both colours are dark or both have a light channel.
int32_t RP_CompareColors(TRPColor Color1, TRPColor Color2, int32_t w1, int32_t w2);

#include <string_view>

// Luminance of a colour, round(0.3 R + 0.59 G + 0.11 B), at most 255.
int32_t RP_GetLuminance(TRPColor Color);
// The grey of a colour for grey-scale output (an equal-channel grey of its
// luminance); clNone stays clNone.
TRPColor RP_GetGray(TRPColor Color);

// Equality with ASCII letters compared without regard to case (font names).
bool RP_SameText(std::string_view A, std::string_view B);
