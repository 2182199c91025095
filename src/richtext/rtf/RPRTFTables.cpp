#include "richtext/rtf/RPRTFTables.h"

#include <algorithm>

#include "richtext/rtf/RPRTFCodePages.h"

// ---------------------------------------------------------------------------------------
// Font table

TRPRTFFont& TRPRTFFontList::Add(int32_t Number) {
  FItems.push_back(std::make_unique<TRPRTFFont>());
  FItems.back()->Number = Number;
  return *FItems.back();
}

int32_t TRPRTFFontList::Find(int32_t Number) const {
  return FIndex.Find(Number, Count(), [this](int32_t i) { return Get(i).Number; });
}

int32_t TRPRTFFontList::GetFontIndex(int32_t Number, int32_t Default) const {
  int32_t Index = Find(Number);
  if (Index < 0 && Number != Default)
    Index = Find(Default);
  return std::max(Index, 0);
}

namespace {

// The script names writers append to a font name, by charset.
std::u16string_view CharsetSuffix(uint8_t Charset) {
  switch (Charset) {
  case 161: return u"greek";
  case 162: return u"tur";
  case 186: return u"baltic";
  case 204: return u"cyr";
  case 238: return u"ce";
  default: return {};
  }
}

char16_t LowerAscii(char16_t C) { return C >= u'A' && C <= u'Z' ? C + (u'a' - u'A') : C; }

} // namespace

void TRPRTFFontList::RemoveChasetFromNames() {
  for (const std::unique_ptr<TRPRTFFont>& Font : FItems) {
    const std::u16string_view Suffix = CharsetSuffix(Font->Charset);
    if (Suffix.empty())
      continue;
    std::u16string& Name = Font->Name;
    const size_t TailSize = Suffix.size() + 1;
    // The name must keep something in front of the suffix.
    if (Name.size() <= TailSize)
      continue;
    const size_t Start = Name.size() - TailSize;
    if (Name[Start] != u' ')
      continue;
    bool Same = true;
    for (size_t i = 0; i < Suffix.size() && Same; ++i)
      Same = LowerAscii(Name[Start + 1 + i]) == Suffix[i];
    if (Same)
      Name.resize(Start);
  }
}

namespace {

// The bytes collected so far belong to the last entry's name.
void TakeName(TRPRTFFontList& Fonts, std::string& TmpString, int CodePage) {
  if (TRPRTFFont* Last = Fonts.Last())
    Last->Name += AnsiToUnicode(TmpString, CodePage);
  TmpString.clear();
}

} // namespace

void RPRTFFontTableProp(TRPRTFFontList& Fonts, std::string& TmpString, TRTFIPROP Prop,
                        int32_t Value, int CodePage) {
  switch (Prop) {
  case ipropF:
    TakeName(Fonts, TmpString, CodePage);
    Fonts.Add(Value);
    break;
  case ipropFontFamily:
    if (TRPRTFFont* Last = Fonts.Last())
      if (Value >= rtf_ff_Default && Value <= rtf_ff_BiDi)
        Last->Family = static_cast<TRPRTFFontFamily>(Value);
    break;
  // A number beyond the charsets is read as the Mac charset, as other writers' readers do.
  case ipropFCharset:
    if (TRPRTFFont* Last = Fonts.Last())
      Last->Charset = Value >= 0 && Value <= 255 ? static_cast<uint8_t>(Value)
                      : Value > 255              ? RP_RTF_MAC_CHARSET
                                                 : RP_RTF_DEFAULT_CHARSET;
    break;
  case ipropFontCodePage:
    if (TRPRTFFont* Last = Fonts.Last())
      Last->CodePage = Value;
    break;
  default: break;
  }
}

void RPRTFFontTableChar(const TRPRTFFontList& Fonts, std::string& TmpString, char C) {
  if (C != ';' && Fonts.Count() > 0)
    TmpString.push_back(C);
}

void RPRTFFontTableUnicode(TRPRTFFontList& Fonts, std::string& TmpString, char16_t Unit,
                           int CodePage) {
  TRPRTFFont* Last = Fonts.Last();
  if (Last == nullptr || Unit == u';')
    return;
  TakeName(Fonts, TmpString, CodePage);
  Last->Name.push_back(Unit);
}

void RPRTFFontTableEnd(TRPRTFFontList& Fonts, std::string& TmpString, int CodePage) {
  TakeName(Fonts, TmpString, CodePage);
  Fonts.RemoveChasetFromNames();
}

// ---------------------------------------------------------------------------------------
// Colour table

void TRPRTFColorList::ResetLast() {
  if (!FItems.empty() && FItems.back() == clWindowText)
    FItems.back() = 0;
}

void TRPRTFColorList::Finalize() {
  if (!FItems.empty())
    FItems.pop_back();
}

void TRPRTFColorList::OrIntoLast(int32_t Value, int Shift) {
  if (FItems.empty())
    return;
  ResetLast();
  const uint64_t Component = static_cast<uint64_t>(std::max<int32_t>(Value, 0)) << Shift;
  FItems.back() = static_cast<TRPColor>((FItems.back() | Component) & 0x00FFFFFFu);
}

void RPRTFColorTableBegin(TRPRTFColorList& Colors) {
  Colors.Clear();
  Colors.Add();
}

void RPRTFColorTableProp(TRPRTFColorList& Colors, TRTFIPROP Prop, int32_t Value) {
  switch (Prop) {
  case ipropRed: Colors.SetLastRed(Value); break;
  case ipropGreen: Colors.SetLastGreen(Value); break;
  case ipropBlue: Colors.SetLastBlue(Value); break;
  default: break;
  }
}

void RPRTFColorTableChar(TRPRTFColorList& Colors, char C) {
  if (C == ';')
    Colors.Add();
}

// ---------------------------------------------------------------------------------------
// Style sheet

void TRPRTFStyleSheet::Clear() {
  FItems.clear();
  FIndex.Reset();
  FLastParaIndex = -1;
  FLastCharIndex = -1;
}

TRPRTFStyleSheetEntry& TRPRTFStyleSheet::AddPara(int32_t Number) {
  FItems.push_back(std::make_unique<TRPRTFStyleSheetEntry>());
  FItems.back()->FNumber = Number;
  return *FItems.back();
}

int32_t TRPRTFStyleSheet::GetEntry(int32_t Number) const {
  if (Number < 0)
    return -1;
  return FIndex.Find(Number, Count(), [this](int32_t i) { return Get(i).FNumber; });
}

int32_t TRPRTFStyleSheet::CachedEntry(int32_t Number, int32_t& Cache) const {
  if (Cache >= 0 && Cache < Count() && FItems[static_cast<size_t>(Cache)]->FNumber == Number)
    return Cache;
  Cache = GetEntry(Number);
  return Cache;
}

int32_t TRPRTFStyleSheet::GetParaEntry(int32_t Number) {
  return CachedEntry(Number, FLastParaIndex);
}

int32_t TRPRTFStyleSheet::GetCharEntry(int32_t Number) {
  return CachedEntry(Number, FLastCharIndex);
}

namespace {

// Blanks and control characters around a name are left-overs of the file's layout.
void TrimName(std::u16string& Name) {
  const auto IsBlank = [](char16_t C) { return C <= u' '; };
  const auto First = std::find_if_not(Name.begin(), Name.end(), IsBlank);
  const auto Last = std::find_if_not(Name.rbegin(), Name.rend(), IsBlank).base();
  Name = First < Last ? std::u16string(First, Last) : std::u16string();
}

} // namespace

void TRPRTFStyleSheet::CalculateLinks() {
  for (const std::unique_ptr<TRPRTFStyleSheetEntry>& Entry : FItems) {
    TrimName(Entry->FName);
    Entry->FLinkIndex = GetEntry(Entry->FLinkNumber);
    Entry->FBasedOnIndex = GetEntry(Entry->FBasedOnNumber);
    Entry->FNextIndex = GetEntry(Entry->FNextNumber);
  }
}
