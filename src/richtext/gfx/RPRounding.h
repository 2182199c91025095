// Integer rounding as the engine uses it everywhere: "round" goes to the nearest
// integer with halves to the even neighbour, computed on exact integers; MulDiv
// rounds halves away from zero. Products are 64-bit and results are clamped.
#pragma once

#include <cstdint>

// The nearest int32 to Value, saturating at the type's limits.
int32_t RP_ClampToInt32(int64_t Value);

// Num / Den rounded to nearest, halves to even. Den must not be 0.
int64_t RP_RoundDiv(int64_t Num, int64_t Den);

// Value rounded to nearest, halves to even, clamped to int32.
int32_t RP_Round(double Value);

// a * b / c with a 64-bit intermediate, rounded halves away from zero, clamped to
// int32. A divisor of 0 gives -1, as the platform call does.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
