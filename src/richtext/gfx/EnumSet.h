// A set of enumeration members, one bit per member; bit numbers are the members'
// ordinals, so a set's bits are the same as in stored and compared forms. TBits holds the
// bits: a smaller type for the sets every item carries.
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename E, typename TBits = uint64_t> class EnumSet {
public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> Members) {
    for (E Member : Members)
      FBits |= Bit(Member);
  }
  static constexpr EnumSet FromBits(uint64_t Bits) {
    EnumSet Set;
    Set.FBits = static_cast<TBits>(Bits);
    return Set;
  }
  // Every member from First to Last, both included.
  static constexpr EnumSet Range(E First, E Last) {
    EnumSet Set;
    for (auto i = static_cast<unsigned>(First); i <= static_cast<unsigned>(Last); ++i)
      Set.FBits |= static_cast<TBits>(uint64_t{1} << i);
    return Set;
  }

  constexpr uint64_t Bits() const { return FBits; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr bool Contains(E Member) const { return (FBits & Bit(Member)) != 0; }
  constexpr EnumSet& Include(E Member) {
    FBits |= Bit(Member);
    return *this;
  }
  constexpr EnumSet& Exclude(E Member) {
    FBits &= ~Bit(Member);
    return *this;
  }
  constexpr EnumSet& Set(E Member, bool On) { return On ? Include(Member) : Exclude(Member); }

  constexpr EnumSet operator+(EnumSet Other) const { return FromBits(FBits | Other.FBits); }
  constexpr EnumSet operator-(EnumSet Other) const { return FromBits(FBits & ~Other.FBits); }
  constexpr EnumSet operator*(EnumSet Other) const { return FromBits(FBits & Other.FBits); }
  constexpr EnumSet& operator+=(EnumSet Other) {
    FBits |= Other.FBits;
    return *this;
  }
  constexpr EnumSet& operator-=(EnumSet Other) {
    FBits &= ~Other.FBits;
    return *this;
  }
  constexpr bool operator==(const EnumSet&) const = default;

private:
  static constexpr TBits Bit(E Member) {
    return static_cast<TBits>(uint64_t{1} << static_cast<unsigned>(Member));
  }
  TBits FBits = 0;
};
