// The three tables an RTF header declares and the text refers to by number: fonts, colours
// and styles. The reader owns them; the builder reads them while and after a document is
// read. Everything here comes from an untrusted file, so numbers that do not resolve fall
// back quietly instead of failing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "richtext/gfx/RPColor.h"
#include "richtext/rtf/RPRTFKeywords.h"
#include "richtext/rtf/RPRTFProps.h"

// The first of a list's items that has a given number, found without scanning the list:
// a file may declare thousands of fonts or styles and refer to them thousands of times.
// Items are indexed as the list grows; only the last item's number may still change (it
// is the one being read), so it is looked at directly.
class TRPRTFNumberIndex {
public:
  template <typename TNumberOf>
  int32_t Find(int32_t Number, int32_t Count, TNumberOf&& NumberOf) const {
    for (; FIndexed < Count - 1; ++FIndexed)
      FFirst.emplace(NumberOf(FIndexed), FIndexed);
    if (const auto It = FFirst.find(Number); It != FFirst.end())
      return It->second;
    return Count > 0 && NumberOf(Count - 1) == Number ? Count - 1 : -1;
  }
  // Whenever the list is emptied.
  void Reset() {
    FFirst.clear();
    FIndexed = 0;
  }

private:
  mutable std::unordered_map<int32_t, int32_t> FFirst;
  mutable int32_t FIndexed = 0;
};

// ---------------------------------------------------------------------------------------
// Font table

enum TRPRTFFontFamily : uint8_t {
  rtf_ff_Default,
  rtf_ff_Roman,
  rtf_ff_Swiss,
  rtf_ff_Modern,
  rtf_ff_Script,
  rtf_ff_Decorative,
  rtf_ff_Symbol,
  rtf_ff_BiDi
};

// The charset of an entry that never got \fcharset, and of one whose \fcharset is negative.
inline constexpr uint8_t RP_RTF_DEFAULT_CHARSET = 1;
// The Mac charset, also taken for a \fcharset beyond the charsets.
inline constexpr uint8_t RP_RTF_MAC_CHARSET = 77;

struct TRPRTFFont {
  int32_t Number = 0;
  std::u16string Name;
  TRPRTFFontFamily Family = rtf_ff_Default;
  uint8_t Charset = RP_RTF_DEFAULT_CHARSET;
  // The code page \cpg gave the font's text, overriding its charset's; 0 for none.
  int32_t CodePage = 0;
};

// Fonts in the order of declaration; the rest of the reader refers to a font by its position
// here, never by its RTF number.
class TRPRTFFontList {
public:
  void Clear() {
    FItems.clear();
    FIndex.Reset();
  }
  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsValidIndex(int32_t Index) const { return Index >= 0 && Index < Count(); }
  TRPRTFFont& Add(int32_t Number);
  TRPRTFFont& Get(int Index) { return *FItems[static_cast<size_t>(Index)]; }
  const TRPRTFFont& Get(int Index) const { return *FItems[static_cast<size_t>(Index)]; }
  // The last entry, or null while the table is empty.
  TRPRTFFont* Last() { return FItems.empty() ? nullptr : FItems.back().get(); }

  // The position of font Number; else that of font Default; else 0. Never negative, so it
  // may point at no font when the table is empty.
  int32_t GetFontIndex(int32_t Number, int32_t Default) const;
  // Cuts the script some writers append to a name ("Arial Cyr") where the charset says it.
  void RemoveChasetFromNames();

private:
  int32_t Find(int32_t Number) const;
  std::vector<std::unique_ptr<TRPRTFFont>> FItems;
  TRPRTFNumberIndex FIndex;
};

// What the font table destination does with its keywords and characters. TmpString holds
// the name bytes collected for the last entry; CodePage is the reader's current code page
// (GetCurrentCodePage), with which the name bytes are converted.
//
// \fN finishes the last entry and starts one numbered N; \fnil..\fbidi, \fcharset and \cpg
// change the last entry. Anything before the first \f has no entry to change and is dropped.
void RPRTFFontTableProp(TRPRTFFontList& Fonts, std::string& TmpString, TRTFIPROP Prop,
                        int32_t Value, int CodePage);
void RPRTFFontTableChar(const TRPRTFFontList& Fonts, std::string& TmpString, char C);
// \uN inside a name.
void RPRTFFontTableUnicode(TRPRTFFontList& Fonts, std::string& TmpString, char16_t Unit,
                           int CodePage);
// The font table group ends.
void RPRTFFontTableEnd(TRPRTFFontList& Fonts, std::string& TmpString, int CodePage);

// ---------------------------------------------------------------------------------------
// Colour table

// Colours ($00BBGGRR) in the order of declaration. An entry that got no component is
// clWindowText, the automatic colour.
class TRPRTFColorList {
public:
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  void Add() { FItems.push_back(clWindowText); }
  TRPColor Get(int Index) const { return FItems[static_cast<size_t>(Index)]; }
  // A component goes into its channel; a value above 255 carries into the next one, as
  // writers have always relied on, but nothing ever reaches the top byte, where it would
  // turn the entry into a system colour or clNone.
  void SetLastRed(int32_t Value) { OrIntoLast(Value, 0); }
  void SetLastGreen(int32_t Value) { OrIntoLast(Value, 8); }
  void SetLastBlue(int32_t Value) { OrIntoLast(Value, 16); }
  // The last entry stops being automatic before its first component: it becomes black.
  void ResetLast();
  // The table always ends with an open automatic entry; at the end of the parse it goes.
  void Finalize();

private:
  void OrIntoLast(int32_t Value, int Shift);
  std::vector<TRPColor> FItems;
};

// \colortbl: the table restarts with its automatic entry 0.
void RPRTFColorTableBegin(TRPRTFColorList& Colors);
// \red, \green, \blue; other keywords mean nothing in the colour table.
void RPRTFColorTableProp(TRPRTFColorList& Colors, TRTFIPROP Prop, int32_t Value);
// ";" opens the next entry; other characters mean nothing.
void RPRTFColorTableChar(TRPRTFColorList& Colors, char C);

// ---------------------------------------------------------------------------------------
// Style sheet

enum TRPRTFStyleSheetType : uint8_t { rtf_sst_Char, rtf_sst_Par, rtf_sst_Sect, rtf_sst_Table };

class TRPRTFStyleSheetEntry {
public:
  TRPRTFParaProperties FParaProps;
  TRPRTFCharProperties FCharProps;
  bool FAdditive = false;
  bool FHidden = false;
  int32_t FNumber = 0;
  TRPRTFStyleSheetType FStyleType = rtf_sst_Par;
  int32_t FBasedOnNumber = -1;
  int32_t FNextNumber = -1;
  int32_t FLinkNumber = -1;
  int32_t FBasedOnIndex = -1;
  int32_t FNextIndex = -1;
  int32_t FLinkIndex = -1;
  std::u16string FName;
  bool FQuickAccess = false;
};

class TRPRTFStyleSheet {
public:
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  // Every entry starts as a paragraph style; its keywords say what it really is.
  TRPRTFStyleSheetEntry& AddPara(int32_t Number);
  TRPRTFStyleSheetEntry& Get(int Index) { return *FItems[static_cast<size_t>(Index)]; }
  const TRPRTFStyleSheetEntry& Get(int Index) const { return *FItems[static_cast<size_t>(Index)]; }

  // The position of the first entry numbered Number, whatever its type; -1 for none.
  int32_t GetEntry(int32_t Number) const;
  // As GetEntry, remembering the last answer: text repeats the same \s and \cs over and over.
  int32_t GetParaEntry(int32_t Number);
  int32_t GetCharEntry(int32_t Number);
  // Trims the names and turns the based-on, next and link numbers into positions.
  void CalculateLinks();

private:
  int32_t CachedEntry(int32_t Number, int32_t& Cache) const;
  std::vector<std::unique_ptr<TRPRTFStyleSheetEntry>> FItems;
  TRPRTFNumberIndex FIndex;
  int32_t FLastParaIndex = -1;
  int32_t FLastCharIndex = -1;
};
