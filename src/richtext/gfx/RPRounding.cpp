#include "richtext/gfx/RPRounding.h"

#include <cmath>
#include <limits>

int32_t RP_ClampToInt32(int64_t Value) {
  if (Value > std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  if (Value < std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(Value);
}

int64_t RP_RoundDiv(int64_t Num, int64_t Den) {
  if (Den < 0) {
    Num = -Num;
    Den = -Den;
  }
  int64_t Quotient = Num / Den;
  int64_t Remainder = Num % Den; // same sign as Num
  const int64_t Twice = 2 * (Remainder < 0 ? -Remainder : Remainder);
  if (Twice > Den || (Twice == Den && Quotient % 2 != 0))
    Quotient += Num < 0 ? -1 : 1;
  return Quotient;
}

int32_t RP_Round(double Value) {
  if (std::isnan(Value))
    return 0;
  if (Value >= 2147483647.0)
    return std::numeric_limits<int32_t>::max();
  if (Value <= -2147483648.0)
    return std::numeric_limits<int32_t>::min();
  // The default floating-point rounding mode is to nearest, ties to even.
  return static_cast<int32_t>(std::nearbyint(Value));
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0)
    return -1;
  const int64_t Product = static_cast<int64_t>(a) * b;
  int64_t Den = c;
  int64_t Num = Product;
  if (Den < 0) {
    Num = -Num;
    Den = -Den;
  }
  const int64_t Half = Den / 2;
  // Halves away from zero; an odd divisor has no exact half.
  const int64_t Result = Num >= 0 ? (Num + Half) / Den : -((-Num + Half) / Den);
  return RP_ClampToInt32(Result);
}
