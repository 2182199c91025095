#include "richtext/rtf/RPRTFListBuilder.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/gfx/RPSymbolFonts.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPFuncs.h"
#include "richtext/model/RPStyle.h"
#include "richtext/rtf/RPRTFStyleConv.h"

namespace {

TRPListType ListTypeOf(TRPRTFParaListType Type) {
  switch (Type) {
  case rtf_pn_LowerLetter: return rplstLowerAlpha;
  case rtf_pn_UpperLetter: return rplstUpperAlpha;
  case rtf_pn_LowerRoman: return rplstLowerRoman;
  case rtf_pn_UpperRoman: return rplstUpperRoman;
  case rtf_pn_Bullet: return rplstBullet;
  default: return rplstDecimal;
  }
}

TRPMarkerAlignment MarkerAlignmentOf(TRPRTFAlignment Alignment) {
  switch (Alignment) {
  case rtf_al_Right: return rpmaRight;
  case rtf_al_Center: return rpmaCenter;
  default: return rpmaLeft;
  }
}

// File text inside a marker pattern: a "%" is a percent sign, never a placeholder.
void AppendEscaped(std::u16string& Pattern, std::u16string_view Text) {
  for (const char16_t C : Text) {
    Pattern += C;
    if (C == u'%')
      Pattern += u'%';
  }
}

// A level text without its length prefix as a pattern: the characters 0..9 stand for the
// numbers of those levels. Level 0 is "%s" and level n "%n:s"; when level 0's number is not
// the first placeholder, or comes twice, level 0 is "%0:s" too, since "%s" takes the
// argument after the one before it.
std::u16string LevelPattern(std::u16string_view Text) {
  bool ExplicitZero = false;
  bool PlaceholderSeen = false;
  for (const char16_t C : Text)
    if (C <= 9) {
      ExplicitZero = ExplicitZero || (C == 0 && PlaceholderSeen);
      PlaceholderSeen = true;
    }
  std::u16string Pattern;
  for (const char16_t C : Text) {
    if (C > 9) {
      AppendEscaped(Pattern, std::u16string_view(&C, 1));
    } else if (C == 0 && !ExplicitZero) {
      Pattern += u"%s";
    } else {
      Pattern += u'%';
      Pattern += static_cast<char16_t>(u'0' + C);
      Pattern += u":s";
    }
  }
  return Pattern;
}

// The other way of writing a pattern's level-0 placeholder: "%s" as "%0:s".
std::u16string ExplicitForm(std::u16string_view Pattern) {
  std::u16string Result;
  for (size_t i = 0; i < Pattern.size(); ++i) {
    if (Pattern[i] == u'%' && i + 1 < Pattern.size()) {
      const char16_t Next = Pattern[++i];
      Result += Next == u's' ? std::u16string(u"%0:s") : std::u16string{u'%', Next};
    } else {
      Result += Pattern[i];
    }
  }
  return Result;
}

bool PatternsEqual(const std::u16string& A, const std::u16string& B) {
  return A == B || ExplicitForm(A) == ExplicitForm(B);
}

// What the reader compares of two levels to decide they are the same marker; start values
// and options only for list-table levels.
bool LevelsLookAlike(const TRPListLevel& A, const TRPListLevel& B, bool Numbering) {
  const TRPMarkerFont& FA = A.GetFont();
  const TRPMarkerFont& FB = B.GetFont();
  constexpr TRPListLevelOptions Compared{rploLevelReset, rploLegalStyleNumbering};
  return A.ListType == B.ListType && A.MarkerAlignment == B.MarkerAlignment &&
         A.LeftIndent == B.LeftIndent && A.FirstIndent == B.FirstIndent &&
         A.MarkerIndent == B.MarkerIndent && FA.Size() == FB.Size() && FA.Style == FB.Style &&
         FA.Color == FB.Color && RP_SameText(FA.Name, FB.Name) &&
         PatternsEqual(A.FormatString, B.FormatString) &&
         (!Numbering ||
          (A.StartFrom == B.StartFrom && (A.Options * Compared) == (B.Options * Compared)));
}

void MixHash(size_t& Hash, size_t Value) { Hash = (Hash * 1000003u) ^ Value; }

// What both kinds of numbering compare of a level, hashed: levels that look alike hash
// alike.
size_t LevelLookHash(const TRPListLevel& Level) {
  const TRPMarkerFont& Font = Level.GetFont();
  std::string Name = Font.Name;
  // Names are compared without regard to ASCII case.
  for (char& C : Name)
    if (C >= 'A' && C <= 'Z')
      C = static_cast<char>(C - 'A' + 'a');
  size_t Hash = Level.ListType;
  MixHash(Hash, Level.MarkerAlignment);
  MixHash(Hash, static_cast<size_t>(Level.LeftIndent));
  MixHash(Hash, static_cast<size_t>(Level.FirstIndent));
  MixHash(Hash, static_cast<size_t>(Level.MarkerIndent));
  MixHash(Hash, static_cast<size_t>(Font.Size()));
  MixHash(Hash, static_cast<size_t>(Font.Style.Bits()));
  MixHash(Hash, static_cast<size_t>(Font.Color));
  MixHash(Hash, std::hash<std::string>()(Name));
  MixHash(Hash, std::hash<std::u16string>()(ExplicitForm(Level.FormatString)));
  return Hash;
}

// LevelLookHash with what only list-table levels compare.
size_t NumberedLevelHash(const TRPListLevel& Level) {
  size_t Hash = LevelLookHash(Level);
  MixHash(Hash, static_cast<size_t>(Level.StartFrom));
  MixHash(Hash, static_cast<size_t>(Level.Options.Bits()));
  return Hash;
}

size_t LevelsHash(const TRPListLevelCollection& Levels) {
  size_t Hash = static_cast<size_t>(Levels.Count());
  for (int i = 0; i < Levels.Count(); ++i)
    MixHash(Hash, NumberedLevelHash(Levels[i]));
  return Hash;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Memory of earlier reads

int TRPRTFListMemory::Find(const TRPListLevelCollection& Levels) const {
  const auto [First, Last] = FIndex.equal_range(LevelsHash(Levels));
  for (auto It = First; It != Last; ++It)
    if (FEntries[It->second].Levels->IsSimpleEqual(Levels))
      return static_cast<int>(It->second);
  return -1;
}

void TRPRTFListMemory::Remember(const TRPListLevelCollection& Levels, int32_t ListID) {
  if (const int Found = Find(Levels); Found >= 0) {
    FEntries[static_cast<size_t>(Found)].ListIDs.push_back(ListID);
    return;
  }
  TEntry& Entry = FEntries.emplace_back();
  Entry.Levels = std::make_unique<TRPListLevelCollection>();
  Entry.Levels->Assign(Levels);
  Entry.ListIDs.push_back(ListID);
  FIndex.emplace(LevelsHash(Levels), FEntries.size() - 1);
}

// ---------------------------------------------------------------------------------------

TRPRTFListBuilder::TRPRTFListBuilder(TRPRTFReader& AReader, TCustomRPData& Data,
                                     TRPRTFListMemory& Memory)
    : Reader(AReader), RPData(Data), RPStyle(*Data.GetRPStyle()), FMemory(Memory) {}

TRPStyleLength TRPRTFListBuilder::Units(int32_t Twips) const {
  return RPStyle.TwipsToUnits(RPClampLengthTw(Twips));
}

std::unique_ptr<TRPMarkerItemInfo> TRPRTFListBuilder::NewMarker(int ListNo, int Level,
                                                                int StartFrom, bool Reset) {
  auto Marker = std::make_unique<TRPMarkerItemInfo>(&RPData);
  Marker->ListNo = ListNo;
  Marker->Level = Level;
  Marker->StartFrom = StartFrom;
  Marker->Reset = Reset;
  Marker->ParaNo = FParaNo;
  return Marker;
}

std::unique_ptr<TRPMarkerItemInfo> TRPRTFListBuilder::MakeMarker(int ParaNo) {
  const TRPRTFParaProperties& Para = Reader.RTFState().Props.ParaProps;
  FParaNo = ParaNo;
  FLastKind = mkNone;
  if (!Para.FMarkerProps)
    LevelToListNo.clear();

  const TRPRTFListOverrideTable97& Overrides = Reader.ListOverrideTable();
  if (Para.FListOverrideIndex >= 0 &&
      Para.FListOverrideIndex < static_cast<int32_t>(Overrides.FItems.size())) {
    const int32_t ListIndex =
        Overrides.FItems[static_cast<size_t>(Para.FListOverrideIndex)]->FListIndex;
    if (ListIndex >= 0 && ListIndex < static_cast<int32_t>(Reader.ListTable().FItems.size()))
      return InsertMarker97(Para);
  }
  if (Para.FMarkerProps && Para.FMarkerProps->FLevel > 0) {
    if (LevelToListNo.empty())
      LevelToListNo.assign(RP_RTF_PN_LEVEL_COUNT, -1);
    const int32_t Level = Para.FMarkerProps->FLevel;
    FLastKind = mkLegacy;
    FLastLegacy = *Para.FMarkerProps;
    return NewMarker(-1, -1, Para.FMarkerProps->FStart,
                     LevelToListNo[static_cast<size_t>(Level - 1)] < 0);
  }
  if ((Para.FListRequested || Para.FListOverrideIndex >= 0) && !Reader.ListText().empty())
    return InsertPlainMarker(Para);
  return nullptr;
}

void TRPRTFListBuilder::CompleteMarker(TRPMarkerItemInfo& Marker) {
  const TRPRTFParaProperties& Para = Reader.RTFState().Props.ParaProps;
  switch (FLastKind) {
  case mkLegacy: {
    // The paragraph's numbering as it ended, or as it began when the paragraph dropped it.
    const int ListNo = GetMarkerIndex(
        Para.FMarkerProps && Para.FMarkerProps->FLevel > 0 ? *Para.FMarkerProps : FLastLegacy);
    Marker.ListNo = ListNo;
    Marker.Level = 0;
    FMarkerFirstIndent = RPStyle.ListStyles[ListNo].Levels[0].FirstIndent;
    break;
  }
  case mkWord97: UpdateLevel97(Para); break;
  default: break;
  }
  FLastKind = mkNone;
}

// ---------------------------------------------------------------------------------------
// Fonts and indents

std::string TRPRTFListBuilder::MarkerFontName(int32_t FontIndex, TRPSymbolFont& Symbol) const {
  const TRPRTFFontList& Fonts = Reader.FontTable();
  Symbol = rpsfNone;
  if (!Fonts.IsValidIndex(FontIndex))
    FontIndex = 0;
  if (!Fonts.IsValidIndex(FontIndex))
    return TRPMarkerFont().Name;
  const std::string Name = RP_UnicodeToAnsi(Fonts.Get(FontIndex).Name, CP_UTF8);
  Symbol = RP_SymbolFontOf(Name);
  if (Symbol == rpsfNone)
    return Name;
  // The mapped characters are drawn in the document's own font.
  const int32_t Default = Reader.RTFState().Props.DefFontIndex;
  if (Fonts.IsValidIndex(Default) && RP_SymbolFontOf(Fonts.Get(Default).Name) == rpsfNone)
    return RP_UnicodeToAnsi(Fonts.Get(Default).Name, CP_UTF8);
  return RPStyle.TextStyles.Count() > 0 ? RPStyle.TextStyles[0].FontName : TRPMarkerFont().Name;
}

void TRPRTFListBuilder::SetIndentsFromPara(TRPListLevel& Level,
                                           const TRPRTFParaProperties& Para) const {
  const int32_t Left = Para.FBiDiMode == rtf_bidi_RTL ? Para.FRightIndentTw : Para.FLeftIndentTw;
  int32_t Tab = Para.FMarkerTabTw;
  if (Para.FFirstIndentTw < 0 && Tab == RP_UNDEFINED_TAB_POS)
    Tab = Left;
  const TRPStyleLength MarkerIndent = Units(Left + Para.FFirstIndentTw);
  const TRPStyleLength LeftIndent = Units(Left);
  Level.FirstIndent =
      Tab == RP_UNDEFINED_TAB_POS
          ? Level.LeftIndent + Level.FirstIndent + MarkerIndent - Level.MarkerIndent - LeftIndent
          : Units(Tab) - LeftIndent;
  Level.MarkerIndent = MarkerIndent;
  Level.LeftIndent = LeftIndent;
}

// ---------------------------------------------------------------------------------------
// Legacy numbering

void TRPRTFListBuilder::ConvMarker(const TRPRTFMarkerProperties& Marker,
                                   const TRPRTFParaProperties& Para, TRPListLevel& Level) const {
  TRPSymbolFont Symbol;
  TRPMarkerFont& Font = Level.GetFont();
  Font.Name = MarkerFontName(Marker.FFontIndex, Symbol);
  Font.SetSize(Marker.FFontSize);
  Font.Style = Marker.FFontStyle;
  Font.Color = Marker.FColor;
  const auto Text = [Symbol](const std::string& Bytes) {
    if (Symbol == rpsfNone)
      return RP_AnsiToUnicode(Bytes, CP_ACP);
    std::u16string Glyphs(Bytes.begin(), Bytes.end());
    for (char16_t& C : Glyphs)
      C &= 0xFF;
    RP_MapSymbolFontText(Symbol, Glyphs, true);
    return Glyphs;
  };

  const bool Bullet = Marker.FLevel == RP_RTF_PN_BULLET_LEVEL ||
                      (Marker.FLevel == RP_RTF_PN_BODY_LEVEL && Marker.FListType == rtf_pn_Default);
  Level.FormatString.clear();
  AppendEscaped(Level.FormatString, Text(Marker.FTextBefore));
  if (Bullet) {
    Level.ListType = rplstBullet;
  } else {
    Level.ListType = ListTypeOf(Marker.FListType);
    Level.FormatString += u"%s";
    AppendEscaped(Level.FormatString, Text(Marker.FTextAfter));
  }
  Level.MarkerAlignment =
      Marker.FLevel == RP_RTF_PN_BULLET_LEVEL ? rpmaLeft : MarkerAlignmentOf(Marker.FAlignment);
  const TRPStyleLength L = Units(Para.FLeftIndentTw);
  const TRPStyleLength F = Units(Para.FFirstIndentTw);
  const TRPStyleLength I = Units(Marker.FIndentTw);
  const TRPStyleLength S = Units(Marker.FSpaceTw);
  const TRPStyleLength First =
      Marker.FHanging ? std::max(S, F + I) : std::max<TRPStyleLength>(0, std::max(I, S) + F);
  Level.LeftIndent = L;
  Level.FirstIndent = First;
  switch (Level.MarkerAlignment) {
  case rpmaLeft: Level.MarkerIndent = L + F; break;
  case rpmaRight: Level.MarkerIndent = First + L; break;
  case rpmaCenter: Level.MarkerIndent = (First + L + L + F) / 2; break;
  }
}

int TRPRTFListBuilder::GetMarkerIndex(const TRPRTFMarkerProperties& Marker) {
  const int32_t Level = Marker.FLevel;
  if (LevelToListNo.empty())
    LevelToListNo.assign(RP_RTF_PN_LEVEL_COUNT, -1);
  int& Chosen = LevelToListNo[static_cast<size_t>(Level - 1)];
  if (Level <= RP_RTF_PN_BODY_LEVEL && Chosen >= 0)
    return Chosen;

  TRPListLevel Wanted;
  ConvMarker(Marker, Reader.RTFState().Props.ParaProps, Wanted);
  TRPListInfos& Styles = RPStyle.ListStyles;
  const auto [First, Last] = LookIndex().equal_range(LevelLookHash(Wanted));
  for (auto It = First; It != Last; ++It)
    if (LevelsLookAlike(Styles[It->second].Levels[0], Wanted, false))
      return Chosen = It->second;
  Styles.Add().Levels.Add().Assign(Wanted);
  return Chosen = Styles.Count() - 1;
}

// ---------------------------------------------------------------------------------------
// List table

void TRPRTFListBuilder::CopyListLevel97(const TRPRTFListLevel97& Source,
                                        TRPListLevel& Level) const {
  TRPSymbolFont Symbol;
  TRPMarkerFont& Font = Level.GetFont();
  Font.Name = MarkerFontName(Source.FFontIndex, Symbol);
  const TRPRTFFontList& Fonts = Reader.FontTable();
  const int32_t FontIndex = Fonts.IsValidIndex(Source.FFontIndex) ? Source.FFontIndex : 0;
  if (Symbol == rpsfNone && Fonts.IsValidIndex(FontIndex))
    Font.Charset = RPRTFStyleCharset(Fonts.Get(FontIndex).Charset);
  Font.SetSize(Source.FFontSize);
  Font.Style = Source.FFontStyle;
  Font.Color = Source.FColor;

  std::u16string Text = Source.FText.empty() ? std::u16string() : Source.FText.substr(1);
  RP_MapSymbolFontText(Symbol, Text, true);
  Level.ListType = ListTypeOf(Source.FListType);
  Level.FormatString = LevelPattern(Text);
  Level.MarkerAlignment = MarkerAlignmentOf(Source.FAlignment);
  Level.LeftIndent = Units(Source.FLeftIndentTw);
  Level.MarkerIndent = Level.LeftIndent + Units(Source.FFirstIndentTw);
  Level.FirstIndent =
      Source.FTabPosTw == RP_RTF_NO_LEVEL_TAB ? 0 : Units(Source.FTabPosTw) - Level.LeftIndent;
  Level.StartFrom = Source.FStart;
  Level.Options.Set(rploLevelReset, !Source.FNoRestart);
  Level.Options.Set(rploLegalStyleNumbering, Source.FLegal);
}

bool TRPRTFListBuilder::AreListStylesEqual97(const TRPListLevelCollection& Levels,
                                             const TRPListInfo& Style) const {
  if (Style.Levels.Count() < Levels.Count())
    return false;
  for (int i = 0; i < Levels.Count(); ++i)
    if (!LevelsLookAlike(Levels[i], Style.Levels[i], true))
      return false;
  return true;
}

const std::unordered_multimap<size_t, int>& TRPRTFListBuilder::LookIndex() {
  const TRPListInfos& Styles = RPStyle.ListStyles;
  for (; FLookIndexed < Styles.Count(); ++FLookIndexed)
    if (Styles[FLookIndexed].Levels.Count() > 0)
      FLookIndex.emplace(LevelLookHash(Styles[FLookIndexed].Levels[0]), FLookIndexed);
  return FLookIndex;
}

void TRPRTFListBuilder::MergeListTable97() {
  // Once per read, and again only for a file that declares its lists again.
  if (FListTableMap97 && FMapFor == Reader.ListTablesRead())
    return;
  FListTableMap97.emplace();
  FMapFor = Reader.ListTablesRead();
  TRPListInfos& Styles = RPStyle.ListStyles;
  std::vector<bool> Taken(static_cast<size_t>(Styles.Count()));
  FEditable.resize(static_cast<size_t>(Styles.Count()));
  // The list styles no list of this read has taken yet, by the look of their first level
  // and by identifier; how far each remembered list's identifiers have been used.
  std::unordered_multimap<size_t, int> Free;
  std::unordered_map<int32_t, int> ByID;
  for (int i = 0; i < Styles.Count(); ++i) {
    if (Styles[i].Levels.Count() > 0)
      Free.emplace(NumberedLevelHash(Styles[i].Levels[0]), i);
    if (Styles[i].ListID() != 0)
      ByID.emplace(Styles[i].ListID(), i);
  }
  std::unordered_map<int, size_t> UsedIDs;

  for (const std::unique_ptr<TRPRTFList97>& List : Reader.ListTable().FItems) {
    TRPListLevelCollection Levels;
    for (const std::unique_ptr<TRPRTFListLevel97>& Level : List->FLevels)
      CopyListLevel97(*Level, Levels.Add());

    int Found = -1;
    bool Editable = false;
    // A list style an earlier read made for this list, as that read left it.
    if (const int Entry = FMemory.Find(Levels); Entry >= 0)
      for (size_t& Next = UsedIDs[Entry]; Next < FMemory.ListIDs(Entry).size() && Found < 0; ++Next)
        if (const auto It = ByID.find(FMemory.ListIDs(Entry)[Next]);
            It != ByID.end() && !Taken[static_cast<size_t>(It->second)]) {
          Found = It->second;
          Editable = true;
        }
    if (Found < 0 && Levels.Count() > 0) {
      const auto [First, Last] = Free.equal_range(NumberedLevelHash(Levels[0]));
      for (auto It = First; It != Last && Found < 0; ++It)
        if (!Taken[static_cast<size_t>(It->second)] &&
            AreListStylesEqual97(Levels, Styles[It->second]))
          Found = It->second;
    }
    if (Found < 0) {
      TRPListInfo& Added = Styles.Add();
      Added.Levels.Assign(Levels);
      FMemory.Remember(Levels, Added.GetListID());
      Found = Styles.Count() - 1;
      Editable = true;
      Taken.push_back(false);
      FEditable.push_back(false);
    }
    Taken[static_cast<size_t>(Found)] = true;
    FEditable[static_cast<size_t>(Found)] = Editable;
    FListTableMap97->push_back(Found);
    // Taken: no other list of this read looks at it again.
    if (Levels.Count() > 0) {
      const auto [First, Last] = Free.equal_range(NumberedLevelHash(Levels[0]));
      for (auto It = First; It != Last; ++It)
        if (It->second == Found) {
          Free.erase(It);
          break;
        }
    }
  }
}

std::unique_ptr<TRPMarkerItemInfo>
TRPRTFListBuilder::InsertMarker97(const TRPRTFParaProperties& Para) {
  MergeListTable97();
  TRPRTFListOverride97& Override =
      *Reader.ListOverrideTable().FItems[static_cast<size_t>(Para.FListOverrideIndex)];
  const int ListNo = (*FListTableMap97)[static_cast<size_t>(Override.FListIndex)];
  const int32_t Level = std::clamp(Para.FListLevel, 0, RP_RTF_LIST_LEVEL_COUNT - 1);
  int32_t Start = 1;
  bool Reset = false;
  if (static_cast<size_t>(Level) < Override.FLevels.size())
    if (TRPRTFListOverrideLevel97& Entry = Override.FLevels[static_cast<size_t>(Level)];
        !Entry.Used) {
      Start = Entry.FStart;
      Reset = Entry.FUseStart;
      Entry.Used = true;
    }
  const TRPListLevelCollection& Levels = RPStyle.ListStyles[ListNo].Levels;
  FMarkerFirstIndent = Level < Levels.Count() ? Levels[Level].FirstIndent : 0;
  FLastOverride = Para.FListOverrideIndex;
  FLastLevel = Level;
  FLastKind = mkWord97;
  return NewMarker(ListNo, Level, Start, Reset);
}

void TRPRTFListBuilder::UpdateLevel97(const TRPRTFParaProperties& Para) {
  // The marker's list is gone when the file declared its lists again meanwhile.
  if (FMapFor != Reader.ListTablesRead())
    return;
  const TRPRTFListOverride97& Override =
      *Reader.ListOverrideTable().FItems[static_cast<size_t>(FLastOverride)];
  TRPRTFList97& List = *Reader.ListTable().FItems[static_cast<size_t>(Override.FListIndex)];
  TRPRTFListLevel97& Source = List.Get(FLastLevel);
  const int ListNo = (*FListTableMap97)[static_cast<size_t>(Override.FListIndex)];
  TRPListInfo& Style = RPStyle.ListStyles[ListNo];
  const bool Editable = FEditable[static_cast<size_t>(ListNo)];
  if (!Source.FIndentsUpdated) {
    while (Style.Levels.Count() <= FLastLevel) {
      const TRPRTFListLevel97& Missing = List.Get(Style.Levels.Count());
      CopyListLevel97(Missing, Style.Levels.Add());
    }
    if (Editable) {
      TRPListLevel& Level = Style.Levels[FLastLevel];
      SetIndentsFromPara(Level, Para);
      FMarkerFirstIndent = Level.FirstIndent;
    }
    Source.FIndentsUpdated = true;
  }
  if (!Source.FFontSizeDefined) {
    if (Editable) {
      const TRPRTFCharProperties& Chars = Reader.RTFState().Props.CharProps;
      TRPMarkerFont& Font = Style.Levels[FLastLevel].GetFont();
      if (Chars.FSizeDouble / 2 >= 1)
        Font.SetSize(Chars.FSizeDouble / 2);
      Font.Style += Chars.FStyle;
      Font.Color = Chars.FColor;
    }
    Source.FFontSizeDefined = true;
  }
}

// ---------------------------------------------------------------------------------------
// Plain markers

std::unique_ptr<TRPMarkerItemInfo>
TRPRTFListBuilder::InsertPlainMarker(const TRPRTFParaProperties& Para) {
  std::u16string Text = Reader.ListText();
  while (!Text.empty() && (Text.back() == u'\t' || Text.back() == u' '))
    Text.pop_back();
  while (!Text.empty() && Text.front() == u' ')
    Text.erase(0, 1);
  if (Text.empty())
    return nullptr;
  TRPListInfo Style(nullptr);
  TRPListLevel& Level = Style.Levels.Add();
  TRPSymbolFont Symbol;
  TRPMarkerFont& Font = Level.GetFont();
  Font.Name = MarkerFontName(Reader.ListTextFont(), Symbol);
  RP_MapSymbolFontText(Symbol, Text, true);
  const TRPRTFCharProperties& Chars = Reader.RTFState().Props.CharProps;
  if (Chars.FSizeDouble / 2 >= 1)
    Font.SetSize(Chars.FSizeDouble / 2);
  Font.Color = Chars.FColor;
  // A written number is the marker's own start value, so that the items of a list share
  // one list style; any other text is a bullet. Either way the marker shows what was
  // written, without counting the markers before it.
  Level.FormatString.clear();
  const size_t Digits = Text.find_first_of(u"0123456789");
  const size_t DigitsEnd =
      Digits == Text.npos ? Text.npos : Text.find_first_not_of(u"0123456789", Digits);
  int32_t Number = 0;
  for (size_t i = Digits; i < std::min(DigitsEnd, Text.size()) && Number <= RP_RTF_MAX_LIST_START;
       ++i)
    Number = Number * 10 + (Text[i] - u'0');
  const bool Numbered = Digits != Text.npos && Number <= RP_RTF_MAX_LIST_START;
  if (Numbered) {
    Level.ListType = rplstDecimal;
    AppendEscaped(Level.FormatString, std::u16string_view(Text).substr(0, Digits));
    Level.FormatString += u"%s";
    if (DigitsEnd != Text.npos)
      AppendEscaped(Level.FormatString, std::u16string_view(Text).substr(DigitsEnd));
  } else {
    Level.ListType = rplstBullet;
    AppendEscaped(Level.FormatString, Text);
  }
  // Without a hanging indent the text follows the marker: a space keeps them apart.
  if (Para.FFirstIndentTw >= 0 && Para.FMarkerTabTw == RP_UNDEFINED_TAB_POS)
    Level.FormatString += u' ';
  Level.LeftIndent = Level.FirstIndent = Level.MarkerIndent = 0;
  SetIndentsFromPara(Level, Para);
  FMarkerFirstIndent = Level.FirstIndent;
  FLastKind = mkPlain;
  TRPListInfos& Styles = RPStyle.ListStyles;
  int ListNo = -1;
  const auto [First, Last] = LookIndex().equal_range(LevelLookHash(Level));
  for (auto It = First; It != Last && ListNo < 0; ++It)
    if (Styles[It->second].IsSimpleEqual(Style, false, true))
      ListNo = It->second;
  if (ListNo < 0) {
    Styles.Add().Assign(Style);
    ListNo = Styles.Count() - 1;
  }
  return NewMarker(ListNo, 0, Numbered ? Number : 1, true);
}
