// Little-endian numbers inside picture data. Callers check that the bytes are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace RPLittleEndian {

// The value of Size (at most 4) bytes at At.
inline uint32_t ReadLE(std::string_view Bytes, size_t At, size_t Size) {
  uint32_t Value = 0;
  for (size_t i = Size; i-- > 0;)
    Value = Value << 8 | static_cast<uint8_t>(Bytes[At + i]);
  return Value;
}
inline uint16_t U16(std::string_view Bytes, size_t At) {
  return static_cast<uint16_t>(ReadLE(Bytes, At, 2));
}
inline int16_t I16(std::string_view Bytes, size_t At) {
  return static_cast<int16_t>(U16(Bytes, At));
}
inline uint32_t U32(std::string_view Bytes, size_t At) { return ReadLE(Bytes, At, 4); }
inline int32_t I32(std::string_view Bytes, size_t At) {
  return static_cast<int32_t>(U32(Bytes, At));
}

} // namespace RPLittleEndian
