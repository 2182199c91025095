#include "richtext/rtf/RPRTFLists.h"

#include <algorithm>
#include <utility>

namespace {

// The font styles of a marker and the properties that fix them.
constexpr std::pair<TRPRTFMarkerProp, TFontStyle> MarkerStyles[] = {{rtfmp_Bold, fsBold},
                                                                    {rtfmp_Italic, fsItalic},
                                                                    {rtfmp_Underline, fsUnderline},
                                                                    {rtfmp_StrikeOut, fsStrikeOut}};

int32_t ClampStart(int32_t Value) { return std::clamp(Value, 0, RP_RTF_MAX_LIST_START); }

// Half-points to points, rounded half to even; false for a size below one point, which
// leaves Size as it was.
bool SetMarkerFontSize(int32_t& Size, int32_t HalfPoints) {
  const int32_t Half = std::clamp(HalfPoints, 0, RP_RTF_MAX_FONT_SIZE);
  const int32_t Points = (Half + ((Half / 2) & 1)) / 2;
  if (Points < 1)
    return false;
  Size = Points;
  return true;
}

bool SetMarkerColor(TRPColor& Color, const TRPRTFListContext& Context, int32_t Index) {
  if (Index < 0 || Index >= Context.Colors.Count())
    return false;
  Color = Context.Colors.Get(Index);
  return true;
}

// The character properties every kind of marker description takes from font keywords.
bool MarkerFontProp(TRPRTFCustomMarkerProperties& Marker, TRTFIPROP Prop, int32_t Value) {
  switch (Prop) {
  case ipropBold:
  case ipropPNBold: Marker.FFontStyle.Set(fsBold, Value != 0); return true;
  case ipropItalic:
  case ipropPNItalic: Marker.FFontStyle.Set(fsItalic, Value != 0); return true;
  case ipropUnderline:
  case ipropPNUnderline: Marker.FFontStyle.Set(fsUnderline, Value != 0); return true;
  case ipropStrike:
  case ipropPNStrike: Marker.FFontStyle.Set(fsStrikeOut, Value != 0); return true;
  default: return false;
  }
}

} // namespace

// ---------------------------------------------------------------------------------------
// Legacy numbering

void TRPRTFMarkerProperties::CopyDefault(const TRPRTFMarkerProperties& Default) {
  const TRPRTFMarkerProps Own = FFixedProperties;
  FListType = Default.FListType;
  FAlignment = Default.FAlignment;
  FIndentTw = Default.FIndentTw;
  FSpaceTw = Default.FSpaceTw;
  FStart = Default.FStart;
  FFixedProperties = Own + Default.FFixedProperties;
  if (!Own.Contains(rtfmp_Color))
    FColor = Default.FColor;
  if (!Own.Contains(rtfmp_FontIndex))
    FFontIndex = Default.FFontIndex;
  if (!Own.Contains(rtfmp_Size))
    FFontSize = Default.FFontSize;
  for (const auto& [Prop, Style] : MarkerStyles)
    if (!Own.Contains(Prop))
      FFontStyle.Set(Style, Default.FFontStyle.Contains(Style));
}

void TRPRTFMarkerProperties::UpdateFrom(const TRPRTFCharProperties& Chars) {
  if (!FFixedProperties.Contains(rtfmp_Color))
    FColor = Chars.FColor;
  if (!FFixedProperties.Contains(rtfmp_FontIndex))
    FFontIndex = Chars.FFontIndex;
  if (!FFixedProperties.Contains(rtfmp_Size) && Chars.FSizeDouble / 2 >= 1)
    FFontSize = Chars.FSizeDouble / 2;
  // Underlining the text does not underline its number.
  for (const auto& [Prop, Style] : MarkerStyles)
    if (Style != fsUnderline && !FFixedProperties.Contains(Prop))
      FFontStyle.Set(Style, Chars.FStyle.Contains(Style));
}

void RPRTFMarkerProp(TRPRTFMarkerProperties& Marker, const TRPRTFDefMarkerList& Defaults,
                     const TRPRTFListContext& Context, TRTFIPROP Prop, int32_t Value) {
  if (MarkerFontProp(Marker, Prop, Value))
    return;
  switch (Prop) {
  case ipropPNLevel:
    if (Value < 1 || Value > RP_RTF_PN_LEVEL_COUNT)
      return;
    if (const TRPRTFMarkerProperties* Default = Defaults.Find(Value))
      Marker.CopyDefault(*Default);
    Marker.FLevel = Value;
    break;
  case ipropPNHanging: Marker.FHanging = true; break;
  case ipropPNType:
    if (Value >= rtf_pn_Decimal && Value <= rtf_pn_UpperRoman)
      Marker.FListType = static_cast<TRPRTFParaListType>(Value);
    break;
  case ipropPNColor:
    if (SetMarkerColor(Marker.FColor, Context, Value))
      Marker.FFixedProperties.Include(rtfmp_Color);
    break;
  case ipropPNF:
    Marker.FFontIndex = Context.Fonts.GetFontIndex(Value, Context.DefFontNumber);
    Marker.FFixedProperties.Include(rtfmp_FontIndex);
    break;
  // A size the marker cannot be drawn in is no size: the marker follows the text's.
  case ipropPNFontSize:
    if (SetMarkerFontSize(Marker.FFontSize, Value))
      Marker.FFixedProperties.Include(rtfmp_Size);
    break;
  case ipropPNIndent: Marker.FIndentTw = RPClampLengthTw(Value); break;
  case ipropPNSp: Marker.FSpaceTw = RPClampLengthTw(Value); break;
  case ipropPNAlign:
    if (Value >= rtf_al_Left && Value <= rtf_al_Center)
      Marker.FAlignment = static_cast<TRPRTFAlignment>(Value);
    break;
  case ipropPNStart: Marker.FStart = ClampStart(Value); break;
  default: break;
  }
}

TRPRTFMarkerProperties* TRPRTFDefMarkerList::Get(int32_t Level) {
  if (Level < 1 || Level > RP_RTF_PN_LEVEL_COUNT)
    return nullptr;
  std::optional<TRPRTFMarkerProperties>& Item = FItems[static_cast<size_t>(Level - 1)];
  if (!Item)
    Item.emplace();
  return &*Item;
}

const TRPRTFMarkerProperties* TRPRTFDefMarkerList::Find(int32_t Level) const {
  if (Level < 1 || Level > RP_RTF_PN_LEVEL_COUNT)
    return nullptr;
  const std::optional<TRPRTFMarkerProperties>& Item = FItems[static_cast<size_t>(Level - 1)];
  return Item ? &*Item : nullptr;
}

// ---------------------------------------------------------------------------------------
// List table

bool RPRTFListLevelProp(TRPRTFListLevel97& Level, const TRPRTFListContext& Context, TRTFIPROP Prop,
                        int32_t Value) {
  if (MarkerFontProp(Level, Prop, Value))
    return true;
  switch (Prop) {
  case ipropLevelStartAt: Level.FStart = ClampStart(Value); break;
  case ipropLevelNumberType:
    switch (Value) {
    case 1: Level.FListType = rtf_pn_UpperRoman; break;
    case 2: Level.FListType = rtf_pn_LowerRoman; break;
    case 3: Level.FListType = rtf_pn_UpperLetter; break;
    case 4: Level.FListType = rtf_pn_LowerLetter; break;
    case 23: Level.FListType = rtf_pn_Bullet; break;
    default: Level.FListType = rtf_pn_Decimal; break;
    }
    break;
  case ipropLevelJustify:
    Level.FAlignment = Value == 1 ? rtf_al_Center : Value == 2 ? rtf_al_Right : rtf_al_Left;
    break;
  case ipropLevelOld: Level.FOldStyle = Value != 0; break;
  case ipropLevelLegal: Level.FLegal = Value != 0; break;
  case ipropLevelNoRestart: Level.FNoRestart = Value != 0; break;
  case ipropLevelIndent: Level.FIndentTw = RPClampLengthTw(Value); break;
  case ipropLevelSpace: Level.FSpaceTw = RPClampLengthTw(Value); break;
  case ipropLevelFollow:
    if (Value >= rtf_lf_Tab && Value <= rtf_lf_None)
      Level.FFollow = static_cast<TRPRTFLevelFollow97>(Value);
    break;
  case ipropLeftInd: Level.FLeftIndentTw = RPClampLengthTw(Value); break;
  case ipropFirstInd: Level.FFirstIndentTw = RPClampLengthTw(Value); break;
  case ipropTX: Level.FTabPosTw = RPClampLengthTw(Value); break;
  case ipropFontSize:
    if (SetMarkerFontSize(Level.FFontSize, Value))
      Level.FFontSizeDefined = true;
    break;
  case ipropTextColor: SetMarkerColor(Level.FColor, Context, Value); break;
  case ipropF: Level.FFontIndex = Context.Fonts.GetFontIndex(Value, Context.DefFontNumber); break;
  case ipropAF:
    if (Level.FFontIndex < 0)
      Level.FFontIndex = Context.Fonts.GetFontIndex(Value, Context.DefFontNumber);
    break;
  default: return false;
  }
  return true;
}

TRPRTFListLevel97 TRPRTFListLevel97::Default(int32_t Level) {
  TRPRTFListLevel97 Result;
  Result.FListType = rtf_pn_Decimal;
  Result.FText = {u'\x02', static_cast<char16_t>(Level), u'.'};
  Result.FLeftIndentTw = RP_RTF_LIST_LEVEL_STEP_TW * (Level + 1);
  Result.FFirstIndentTw = -RP_RTF_LIST_LEVEL_STEP_TW / 2;
  return Result;
}

TRPRTFListLevel97& TRPRTFList97::Get(int32_t Index) {
  Index = std::clamp(Index, 0, RP_RTF_LIST_LEVEL_COUNT - 1);
  if (FLevels.empty())
    FLevels.push_back(std::make_unique<TRPRTFListLevel97>(TRPRTFListLevel97::Default(0)));
  while (FLevels.size() <= static_cast<size_t>(Index)) {
    const auto From = static_cast<char16_t>(FLevels.size() - 1);
    auto Level = std::make_unique<TRPRTFListLevel97>(*FLevels.back());
    Level->FLeftIndentTw = RPClampLengthTw(Level->FLeftIndentTw + RP_RTF_LIST_LEVEL_STEP_TW);
    Level->FIndentsUpdated = false;
    // The copy counts its own level where the original showed its own number.
    for (size_t i = 1; i < Level->FText.size(); ++i)
      if (Level->FText[i] == From)
        Level->FText[i] = From + 1;
    FLevels.push_back(std::move(Level));
  }
  return *FLevels[static_cast<size_t>(Index)];
}

int32_t TRPRTFListTable97::FindList(int32_t Id) const {
  return FIndex.Find(Id, static_cast<int32_t>(FItems.size()),
                     [this](int32_t i) { return FItems[static_cast<size_t>(i)]->FId; });
}

int32_t TRPRTFListOverrideTable97::FindListOverride(int32_t Number) const {
  return FIndex.Find(Number, static_cast<int32_t>(FItems.size()),
                     [this](int32_t i) { return FItems[static_cast<size_t>(i)]->FNumber; });
}
