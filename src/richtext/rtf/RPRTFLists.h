// The numbering an RTF file declares: the list table and list override table of its header
// and the legacy numbering group of a paragraph. The reader fills what the groups hold; the
// numbering properties of levels are taken up when numbered paragraphs are built.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "richtext/rtf/RPRTFTables.h"

struct TRPRTFListLevel97 {
  // The level text with its length prefix (the first character's code is the length).
  std::u16string FText;
  // The positions of the level placeholders, likewise prefixed.
  std::string FNumbers;
};

struct TRPRTFList97 {
  int32_t FId = 0;
  std::string FName;
  std::vector<std::unique_ptr<TRPRTFListLevel97>> FLevels;
};

struct TRPRTFListTable97 {
  std::vector<std::unique_ptr<TRPRTFList97>> FItems;
  // The index of the list with that id, or -1.
  int32_t FindList(int32_t Id) const;
  void Clear() {
    FItems.clear();
    FIndex.Reset();
  }

private:
  TRPRTFNumberIndex FIndex;
};

struct TRPRTFListOverride97 {
  int32_t FListIndex = -1;
  int32_t FNumber = 0;
  int32_t FLevelCount = 0;
};

struct TRPRTFListOverrideTable97 {
  std::vector<std::unique_ptr<TRPRTFListOverride97>> FItems;
  // The index of the override that \ls Number names, or -1.
  int32_t FindListOverride(int32_t Number) const;
  void Clear() {
    FItems.clear();
    FIndex.Reset();
  }

private:
  TRPRTFNumberIndex FIndex;
};

// The legacy numbering group being read.
struct TRPRTFMarkerProperties {
  int32_t FFontIndex = -1;
  std::string FTextAfter;
  std::string FTextBefore;
};

// A level text or level numbers string cut to its length prefix: the first character and
// as many characters after it as its code says; a ";" ends the string early.
template <typename S> S RPRTFCutLengthPrefix(const S& Text) {
  if (Text.empty())
    return Text;
  const size_t Length = static_cast<std::make_unsigned_t<typename S::value_type>>(Text[0]);
  S Result = Text.substr(0, 1);
  for (size_t i = 1; i < Text.size() && i <= Length; ++i) {
    if (Text[i] == ';')
      break;
    Result += Text[i];
  }
  return Result;
}
