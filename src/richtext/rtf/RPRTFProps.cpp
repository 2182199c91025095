#include "richtext/rtf/RPRTFProps.h"

#include <algorithm>
#include <utility>

namespace {

int32_t Clamp(int32_t Value, int32_t Lo, int32_t Hi) { return std::clamp(Value, Lo, Hi); }

} // namespace

int RPRTFHexValue(int Char) {
  if (Char >= '0' && Char <= '9')
    return Char - '0';
  if (Char >= 'a' && Char <= 'f')
    return Char - 'a' + 10;
  if (Char >= 'A' && Char <= 'F')
    return Char - 'A' + 10;
  return -1;
}

int32_t RPClampLengthTw(int32_t Value) {
  return Clamp(Value, -RP_RTF_MAX_LENGTH_TW, RP_RTF_MAX_LENGTH_TW);
}

// ---------------------------------------------------------------------------------------
// Character properties

void TRPRTFCharProperties::Reset(uint32_t DefLanguage, int32_t DefFontIndex) {
  FHidden = false;
  FBiDiMode = rtf_bidi_Unspecified;
  FSizeDouble = 24;
  FColor = clWindowText;
  FBackColor = clNone;
  FUnderlineColor = clNone;
  FFontIndex = DefFontIndex;
  FFontChosen = false;
  FStyle = {};
  FStyleEx = {};
  FCharScaleX = 100;
  FSScriptType = rtf_ss_Normal;
  FVShiftPt = 0;
  FCharSpacingTw = 0;
  FLanguage = DefLanguage;
  FFontName.clear();
  FUnderlineType = rtf_rput_Normal;
  FHighlight = -1;
  FSkipAnsiCount = 1;
  FStyleSheetIndex = -1;
}

void TRPRTFCharProperties::Assign(const TRPRTFCharProperties& Source) {
  std::u16string FontName = std::move(FFontName);
  *this = Source;
  FFontName = std::move(FontName);
}

bool TRPRTFCharProperties::CanParseKeyword(std::string_view) const { return false; }

TRPRTFErrorCode TRPRTFCharProperties::ParseKeyword(std::string_view, int32_t, bool) {
  return rtf_ec_OK;
}

// ---------------------------------------------------------------------------------------
// Borders and tabs

TRPRTFBorderSide& TRPRTFParaBorder::GetSide(TRPRTFSide Side) {
  std::optional<TRPRTFBorderSide>& Slot = FSides[Side];
  if (!Slot)
    Slot.emplace();
  return *Slot;
}

const TRPRTFBorderSide* TRPRTFParaBorder::Side(TRPRTFSide Side) const {
  return FSides[Side] ? &*FSides[Side] : nullptr;
}

bool TRPRTFParaBorder::HasBorder() const {
  return std::any_of(FSides.begin(), FSides.end(),
                     [](const auto& S) { return S && S->FBorderType != rtf_brdr_None; });
}

// ---------------------------------------------------------------------------------------
// Paragraph properties

void TRPRTFParaProperties::Reset() {
  FLeftIndentTw = 0;
  FRightIndentTw = 0;
  FFirstIndentTw = 0;
  FMarkerTabTw = RP_UNDEFINED_TAB_POS;
  FOutlineLevel = 0;
  FSpaceBeforeTw = 0;
  FSpaceAfterTw = 0;
  FAlignment = rtf_al_Left;
  FBiDiMode = rtf_bidi_Unspecified;
  FBorder.reset();
  FCurBorderSide = rtf_side_Left;
  FBorderBox = false;
  FLineSpacing = 240;
  FLineSpacingMulti = true;
  FColor = clNone;
  if (!NoResetLev) {
    FNestingLevel = 1;
    FInTable = false;
  }
  Shading = 0;
  ForeColor = 0;
  FMarkerProps.reset();
  FListOverrideIndex = -1;
  FListRequested = false;
  FListLevel = 0;
  FStyleSheetIndex = -1;
  FKeepLinesTogether = false;
  FKeepWithNext = false;
  NoTableEv = false;
  NoResetLev = false;
  FTabs.reset();
  FTabsReady = false;
  FPendingTab = {};
}

TRPRTFParaBorder& TRPRTFParaProperties::GetBorder() {
  if (!FBorder)
    FBorder.emplace();
  return *FBorder;
}

void TRPRTFParaProperties::AddTab(int32_t PositionTw) {
  TRPRTFTab Tab = std::exchange(FPendingTab, {});
  Tab.FPositionTW = PositionTw;
  if (FTabs && FTabs->FItems.size() >= RP_RTF_MAX_TAB_STOPS)
    return;
  GetTabs().FItems.push_back(Tab);
  // A stop added after finalization may be a list tab again.
  FTabsReady = false;
}

TRPRTFTabList& TRPRTFParaProperties::GetTabs() {
  if (!FTabs)
    FTabs = std::make_shared<TRPRTFTabList>();
  else if (FTabs.use_count() > 1)
    FTabs = std::make_shared<TRPRTFTabList>(*FTabs);
  return *FTabs;
}

void TRPRTFParaProperties::Finalize() {
  if (Shading != 0) {
    if (FColor == clNone)
      FColor = clWhite;
    FColor = ShadeColor(FColor & 0xFFFFFF, ForeColor & 0xFFFFFF, Shading);
    Shading = 0;
  }
  if (FTabs && !FTabsReady) {
    // Finishing the stops depends only on the stops, so it is done once, in place, for
    // every state that shares them; stops an earlier pass finished are not looked at again.
    TRPRTFTabList& Tabs = *FTabs;
    std::vector<TRPRTFTab>& Items = Tabs.FItems;
    const auto New = Items.begin() + static_cast<ptrdiff_t>(std::min(Tabs.FReady, Items.size()));
    // A list tab only marks where the marker ends; the first one written wins.
    for (auto It = Items.end(); It != New; --It)
      if ((It - 1)->FIsListTab)
        Tabs.FListTabTw = (It - 1)->FPositionTW;
    Items.erase(
        std::remove_if(New, Items.end(), [](const TRPRTFTab& Tab) { return Tab.FIsListTab; }),
        Items.end());
    Tabs.FReady = Items.size();
    if (Tabs.FListTabTw)
      FMarkerTabTw = *Tabs.FListTabTw;
    FTabsReady = true;
  }
}

// ---------------------------------------------------------------------------------------
// Section and document properties

void TRPRTFSectionProperties::Reset() {
  FColumnCount = 1;
  FSectionBreakType = rtf_sbk_Page;
  FPageNumberXTw = 720;
  FPageNumberYTw = 720;
  FPageNumberFormat = rtf_pg_Decimal;
  FHeaderYTw = 720;
  FFooterYTw = 720;
  FHasTitlePage = false;
}

void TRPRTFDocProperties::Reset() {
  FPaperWidthTw = 12240;
  FPaperHeightTw = 15840;
  FLeftMarginTw = 1800;
  FRightMarginTw = 1800;
  FTopMarginTw = 1440;
  FBottomMarginTw = 1440;
  FPageNumberStart = 1;
  FFacingPages = false;
  FMirrorMargins = false;
  FLandscape = false;
  FViewScale = 100;
  FZoomKind = rtf_zk_None;
  FFootnotePageRestart = false;
  FAuthor.clear();
  FTitle.clear();
  FComments.clear();
}

// ---------------------------------------------------------------------------------------
// Colours

TRPColor GetHighlightColor(int32_t Index) {
  static constexpr std::array<TRPColor, 16> Colors = {
      0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF, 0x00FFFF, 0xFFFFFF,
      0x800000, 0x808000, 0x008000, 0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0};
  if (Index < 1 || Index > 16)
    return clNone;
  return Colors[static_cast<size_t>(Index - 1)];
}

TRPColor ShadeColor(TRPColor C, TRPColor F, int32_t Shading) {
  // Unclamped, a large \shading turns the weights negative and the channels wrap.
  const int64_t S = Clamp(Shading, 0, RP_RTF_MAX_SHADING);
  TRPColor Result = 0;
  for (int Shift = 0; Shift <= 16; Shift += 8) {
    const int64_t c = (C >> Shift) & 0xFF;
    const int64_t f = (F >> Shift) & 0xFF;
    const int64_t Channel = (c * (RP_RTF_MAX_SHADING - S) + f * S) / RP_RTF_MAX_SHADING;
    Result |= static_cast<TRPColor>(Channel & 0xFF) << Shift;
  }
  return Result;
}

// ---------------------------------------------------------------------------------------
// Applying property keywords

namespace {

bool ValidColor(const IRPRTFPropReader& Reader, int32_t Index) {
  return Index >= 0 && Index < Reader.ColorCount();
}

// Stores Value into an enumeration field only when it names a member.
template <typename E> void SetEnum(E& Field, int32_t Value, E Last) {
  if (Value >= 0 && Value <= static_cast<int32_t>(Last))
    Field = static_cast<E>(Value);
}

void ApplyHidden(IRPRTFPropReader& Reader, TRPRTFPropState& State, int32_t Value) {
  TRPRTFCharProperties& Chars = State.CharProps;
  const bool New = Value != 0;
  const TRPRTFPropDest Dest = Reader.Destination();
  if (New != Chars.FHidden && Dest != rtf_pd_StyleSheetEntry) {
    // Text collected so far keeps the visibility it was collected with. Only the start of
    // kept hidden text in main text emits a pending break as an empty hidden run; otherwise
    // the break must stay pending for the next visible text.
    const bool Force = !Chars.FHidden && Dest == rtf_pd_Norm && Reader.KeepsHiddenText();
    if (New && Reader.TextBuffersEmpty())
      Chars.FHidden = true;
    if (!Reader.AfterTableRow())
      Reader.FlushPendingText(Force);
  }
  Chars.FHidden = New;
}

// Calls Change with the paragraph border's current side, or with all four after \box.
template <typename TChange>
void ForEachParaBorderSide(TRPRTFParaProperties& Para, TChange&& Change) {
  if (!Para.FBorderBox) {
    Change(Para.GetBorder().GetSide(Para.FCurBorderSide));
    return;
  }
  for (const TRPRTFSide Side : {rtf_side_Left, rtf_side_Top, rtf_side_Right, rtf_side_Bottom})
    Change(Para.GetBorder().GetSide(Side));
}

// Calls Change with every border side the border keywords change now: the paragraph's,
// the row's or the last cell's current side.
template <typename TChange>
void ForEachCurrentBorderSide(IRPRTFPropReader& Reader, TRPRTFPropState& State, TChange&& Change) {
  switch (State.FCurrentBorderType) {
  case rtf_bt_Para: ForEachParaBorderSide(State.ParaProps, Change); break;
  case rtf_bt_Row:
  case rtf_bt_Cell:
    if (TRPRTFBorderSide* Side = Reader.TableBorderSide(State.FCurrentBorderType))
      Change(*Side);
    break;
  default: break;
  }
}

bool ApplyCharProp(IRPRTFPropReader& Reader, TRPRTFPropState& State, TRTFIPROP Prop, int32_t Value,
                   int32_t KeywordDefault, TRPRTFErrorCode& Result) {
  TRPRTFCharProperties& Chars = State.CharProps;
  const TRPRTFPropDest Dest = Reader.Destination();
  switch (Prop) {
  case ipropBold: Chars.ChangeFontStyle(fsBold, Value); break;
  case ipropItalic: Chars.ChangeFontStyle(fsItalic, Value); break;
  case ipropStrike: Chars.ChangeFontStyle(fsStrikeOut, Value); break;
  case ipropUnderline:
    Chars.ChangeFontStyle(fsUnderline, Value);
    Chars.FUnderlineType = rtf_rput_Normal;
    break;
  case ipropUnderlineType: {
    // The kind comes from the keyword; its parameter only switches the underline on or off.
    Chars.ChangeFontStyle(fsUnderline, Value);
    const int32_t Kind = KeywordDefault >= 0 ? KeywordDefault : Value;
    if (Value != 0)
      Chars.FUnderlineType = Kind >= 0 && Kind <= rtf_rput_ThickDashDotDotted
                                 ? static_cast<TRPRTFUnderlineType>(Kind)
                                 : rtf_rput_Normal;
    break;
  }
  case ipropUnderlineColor:
    if (ValidColor(Reader, Value))
      Chars.FUnderlineColor = Reader.Color(Value);
    break;
  case ipropTextColor:
    if (ValidColor(Reader, Value))
      Chars.FColor = Reader.Color(Value);
    break;
  case ipropTextBackColor:
    if (ValidColor(Reader, Value) && Chars.FHighlight < 0)
      Chars.FBackColor = Reader.Color(Value);
    if (Chars.FBackColor == clWindowText)
      Chars.FBackColor = clNone;
    break;
  case ipropHighlight:
    Chars.FHighlight = Value;
    switch (Reader.ConvertHighlight()) {
    case rtf_hl_FixedColors: Chars.FBackColor = GetHighlightColor(Value); break;
    case rtf_hl_ColorTable:
      if (ValidColor(Reader, Value))
        Chars.FBackColor = Reader.Color(Value);
      if (Chars.FBackColor == clWindowText)
        Chars.FBackColor = clNone;
      break;
    case rtf_hl_Ignore: break;
    }
    break;
  case ipropTextBiDi: SetEnum(Chars.FBiDiMode, Value, rtf_bidi_RTL); break;
  case ipropCharScaleX:
    Chars.FCharScaleX = Value <= 0 ? 100 : std::min(Value, RP_RTF_MAX_CHAR_SCALE);
    break;
  case ipropCharSpacing: Chars.FCharSpacingTw = RPClampLengthTw(Value); break;
  case ipropSScript: SetEnum(Chars.FSScriptType, Value, rtf_ss_Superscript); break;
  case ipropVShiftUp: Chars.FVShiftPt = RPClampLengthTw(Value); break;
  case ipropVShiftDown: Chars.FVShiftPt = -RPClampLengthTw(Value); break;
  case ipropAllCaps: Chars.ChangeFontStyleEx(rtf_fs_AllCaps, Value); break;
  case ipropSmallCaps: Chars.ChangeFontStyleEx(rtf_fs_SmallCaps, Value); break;
  case ipropFontSize:
    Chars.FSizeDouble = Clamp(Value, RP_RTF_MIN_FONT_SIZE, RP_RTF_MAX_FONT_SIZE);
    break;
  case ipropLanguage: Chars.FLanguage = static_cast<uint32_t>(Value); break;
  case ipropDefLanguage: State.FDefLanguage = static_cast<uint32_t>(Value); break;
  case ipropF:
    if (Dest == rtf_pd_Norm || Dest == rtf_pd_StyleSheetEntry || Dest == rtf_pd_FontUser) {
      Chars.FFontIndex = Reader.FontIndex(Value, State.DefFontNumber);
      Chars.FFontChosen = true;
    } else if (Dest == rtf_pd_FontTable)
      Result = Reader.ReaderProp(Dest, Prop, Value);
    break;
  case ipropAF: break;
  // The next \plain looks the font up again.
  case ipropDefF:
    if (Dest == rtf_pd_Norm) {
      State.DefFontNumber = Value;
      State.DefFontIndex = -1;
    }
    break;
  // A negative count would drop every character up to the end of the group.
  case ipropUC: Chars.FSkipAnsiCount = std::max(Value, 0); break;
  case ipropU: Result = Reader.ReaderProp(Dest, Prop, Value); break;
  case ipropFontFamily:
  case ipropFCharset:
  case ipropFontCodePage:
    if (Dest == rtf_pd_FontTable)
      Result = Reader.ReaderProp(Dest, Prop, Value);
    break;
  case ipropCS: Chars.FStyleSheetIndex = Reader.StyleSheetIndex(Value, true); break;
  case ipropHidden: ApplyHidden(Reader, State, Value); break;
  case ipropPlain: Result = ParseSpecialProperty(Reader, State, Prop); break;
  default: return false;
  }
  return true;
}

bool ApplyParaProp(IRPRTFPropReader& Reader, TRPRTFPropState& State, TRTFIPROP Prop, int32_t Value,
                   TRPRTFErrorCode& Result) {
  TRPRTFParaProperties& Para = State.ParaProps;
  switch (Prop) {
  case ipropJust: SetEnum(Para.FAlignment, Value, rtf_al_Distribute); break;
  case ipropParaBiDi: SetEnum(Para.FBiDiMode, Value, rtf_bidi_RTL); break;
  case ipropLeftInd: Para.FLeftIndentTw = RPClampLengthTw(Value); break;
  case ipropRightInd: Para.FRightIndentTw = RPClampLengthTw(Value); break;
  case ipropFirstInd: Para.FFirstIndentTw = RPClampLengthTw(Value); break;
  case ipropSpaceBefore: Para.FSpaceBeforeTw = RPClampLengthTw(Value); break;
  case ipropSpaceAfter: Para.FSpaceAfterTw = RPClampLengthTw(Value); break;
  case ipropSL:
    Para.FLineSpacing = RPClampLengthTw(Value);
    Para.FLineSpacingMulti = false;
    break;
  case ipropSLMult: Para.FLineSpacingMulti = (Value & 0xFF) != 0; break;
  case ipropOutLineLevel: Para.FOutlineLevel = Clamp(Value, -1, 9) + 1; break;
  case ipropParaColor:
    if (ValidColor(Reader, Value))
      Para.FColor = Reader.Color(Value);
    if (Para.FColor == clWindowText)
      Para.FColor = clNone;
    break;
  case ipropParaFColor:
    if (ValidColor(Reader, Value))
      Para.ForeColor = Reader.Color(Value);
    break;
  case ipropParaShading: Para.Shading = Clamp(Value, 0, RP_RTF_MAX_SHADING); break;
  case ipropKeepLinesTogether: Para.FKeepLinesTogether = Value != 0; break;
  case ipropKeepWithNext: Para.FKeepWithNext = Value != 0; break;
  case ipropS: Para.FStyleSheetIndex = Reader.StyleSheetIndex(Value, false); break;
  case ipropCharBorderSide: State.FCurrentBorderType = rtf_bt_Char; break;
  case ipropParaBorderSide:
    State.FCurrentBorderType = rtf_bt_Para;
    Para.FBorderBox = Value == RP_RTF_BORDER_BOX;
    SetEnum(Para.FCurBorderSide, Value, rtf_side_Bottom);
    break;
  case ipropTRBorderSide:
  case ipropCLBorderSide:
    State.FCurrentBorderType = Prop == ipropTRBorderSide ? rtf_bt_Row : rtf_bt_Cell;
    Result = Reader.ReaderProp(Reader.Destination(), Prop, Value);
    break;
  case ipropBorderSideUnknown: State.FCurrentBorderType = rtf_bt_Other; break;
  case ipropParaBorderType:
    ForEachCurrentBorderSide(Reader, State, [Value](TRPRTFBorderSide& Side) {
      if (Side.FBorderType != rtf_brdr_None)
        return;
      SetEnum(Side.FBorderType, Value, rtf_brdr_Outset);
      if (Side.FBorderType != rtf_brdr_None && Side.FWidthTw == 0)
        Side.FWidthTw = 10;
    });
    break;
  case ipropParaBorderWidth:
    ForEachCurrentBorderSide(Reader, State, [Value](TRPRTFBorderSide& Side) {
      Side.FWidthTw = Clamp(Value, 0, RP_RTF_MAX_BORDER_WIDTH_TW);
    });
    break;
  case ipropParaBorderColor:
    if (ValidColor(Reader, Value))
      ForEachCurrentBorderSide(Reader, State,
                               [&](TRPRTFBorderSide& Side) { Side.FColor = Reader.Color(Value); });
    break;
  // Always the paragraph's side, whichever border the other keywords change.
  case ipropParaBorderSpace:
    ForEachParaBorderSide(
        Para, [Value](TRPRTFBorderSide& Side) { Side.FSpaceTw = RPClampLengthTw(Value); });
    break;
  case ipropTX: Para.AddTab(RPClampLengthTw(Value)); break;
  case ipropTabAlign: SetEnum(Para.FPendingTab.FAlign, Value, rtf_tab_Decimal); break;
  case ipropTabLeader: SetEnum(Para.FPendingTab.FLeader, Value, rtf_tl_EqualSign); break;
  case ipropListTab: Para.FPendingTab.FIsListTab = true; break;
  case ipropNoTableEv: Para.NoTableEv = true; break;
  case ipropInTbl:
    Para.FInTable = true;
    if (Para.FNestingLevel == 0)
      Para.FNestingLevel = 1;
    break;
  case ipropItap:
    Para.FNestingLevel = Clamp(Value, 0, RP_RTF_MAX_TABLE_LEVEL);
    if (Para.FNestingLevel > 0)
      Para.FInTable = true;
    break;
  case ipropLONumber:
    Para.FListOverrideIndex = Reader.ListOverrideIndex(Value);
    Para.FListRequested = Value != 0;
    break;
  case ipropLevel: Para.FListLevel = Clamp(Value, 0, RP_RTF_MAX_LIST_LEVEL); break;
  case ipropParD: Result = ParseSpecialProperty(Reader, State, Prop); break;
  default: return false;
  }
  return true;
}

bool ApplySectDocProp(IRPRTFPropReader& Reader, TRPRTFPropState& State, TRPRTFDocProperties& Doc,
                      TRTFIPROP Prop, int32_t Value, TRPRTFErrorCode& Result) {
  TRPRTFSectionProperties& Sect = State.SectProps;
  switch (Prop) {
  case ipropCols: Sect.FColumnCount = Clamp(Value, 1, 100); break;
  case ipropPgnX: Sect.FPageNumberXTw = RPClampLengthTw(Value); break;
  case ipropPgnY: Sect.FPageNumberYTw = RPClampLengthTw(Value); break;
  case ipropHeaderY: Sect.FHeaderYTw = RPClampLengthTw(Value); break;
  case ipropFooterY: Sect.FFooterYTw = RPClampLengthTw(Value); break;
  case ipropTitlePg: Sect.FHasTitlePage = true; break;
  case ipropSbk: SetEnum(Sect.FSectionBreakType, Value, rtf_sbk_Page); break;
  case ipropPgnFormat: SetEnum(Sect.FPageNumberFormat, Value, rtf_pg_LowerLetter); break;
  case ipropXaPage: Doc.FPaperWidthTw = RPClampLengthTw(Value); break;
  case ipropYaPage: Doc.FPaperHeightTw = RPClampLengthTw(Value); break;
  case ipropXaLeft: Doc.FLeftMarginTw = RPClampLengthTw(Value); break;
  case ipropXaRight: Doc.FRightMarginTw = RPClampLengthTw(Value); break;
  case ipropYaTop: Doc.FTopMarginTw = RPClampLengthTw(Value); break;
  case ipropYaBottom: Doc.FBottomMarginTw = RPClampLengthTw(Value); break;
  case ipropPgnStart: Doc.FPageNumberStart = Value; break;
  case ipropFacingp: Doc.FFacingPages = Value != 0; break;
  case ipropMirrorMargins: Doc.FMirrorMargins = Value != 0; break;
  case ipropLandscape: Doc.FLandscape = Value != 0; break;
  case ipropViewScale: Doc.FViewScale = Value; break;
  case ipropViewZoomKind: SetEnum(Doc.FZoomKind, Value, rtf_zk_BestFit); break;
  case ipropFootNoteRestart: Doc.FFootnotePageRestart = Value != 0; break;
  case ipropSectd: Result = ParseSpecialProperty(Reader, State, Prop); break;
  case ipropAnsiCodePage:
  case ipropPage:
  case ipropNoteCharacter:
  case ipropThisIsEndnote:
  case ipropRPRule:
  case ipropPNSecLvl: Result = Reader.ReaderProp(Reader.Destination(), Prop, Value); break;
  default: return false;
  }
  return true;
}

} // namespace

bool RPRTFIsTableRowOrCellProp(TRTFIPROP Prop) {
  return (Prop >= ipropRowEnd && Prop <= ipropCLBorderSide && Prop != ipropInTbl &&
          Prop != ipropItap) ||
         (Prop >= ipropRPCellBestWidth && Prop <= ipropRPTableBestWidthTw);
}

TRPRTFErrorCode ApplyPropChange(IRPRTFPropReader& Reader, TRPRTFPropState& State,
                                TRPRTFDocProperties& Doc, TRTFIPROP Prop, int32_t Value,
                                int32_t KeywordDefault) {
  const TRPRTFPropDest Dest = Reader.Destination();
  if (Dest == rtf_pd_StyleSheetEntry && Reader.StyleSheetTakesProp(Prop, Value))
    return rtf_ec_OK;
  switch (Dest) {
  case rtf_pd_Skip: return rtf_ec_OK;
  case rtf_pd_ColorTable:
    if (Prop == ipropRed || Prop == ipropGreen || Prop == ipropBlue)
      return Reader.ReaderProp(Dest, Prop, Value);
    return rtf_ec_OK;
  case rtf_pd_Pict:
  case rtf_pd_Object:
  case rtf_pd_PN:
  case rtf_pd_List: return Reader.ReaderProp(Dest, Prop, Value);
  default: break;
  }

  TRPRTFErrorCode Result = rtf_ec_OK;
  if (ApplyCharProp(Reader, State, Prop, Value, KeywordDefault, Result) ||
      ApplyParaProp(Reader, State, Prop, Value, Result) ||
      ApplySectDocProp(Reader, State, Doc, Prop, Value, Result))
    return Result;
  if (Prop == ipropTRowD)
    return ParseSpecialProperty(Reader, State, Prop);
  if (RPRTFIsTableRowOrCellProp(Prop))
    return Reader.ReaderProp(Dest, Prop, Value);
  return rtf_ec_OK;
}

TRPRTFErrorCode ParseSpecialProperty(IRPRTFPropReader& Reader, TRPRTFPropState& State,
                                     TRTFIPROP Prop) {
  switch (Prop) {
  case ipropParD: State.ParaProps.Reset(); return rtf_ec_OK;
  case ipropPlain: {
    if (State.DefFontIndex < 0)
      State.DefFontIndex = Reader.FontIndex(State.DefFontNumber, State.DefFontNumber);
    // \plain leaves \uc alone.
    const int32_t SkipAnsiCount = State.CharProps.FSkipAnsiCount;
    State.CharProps.Reset(State.FDefLanguage, State.DefFontIndex);
    State.CharProps.FSkipAnsiCount = SkipAnsiCount;
    return rtf_ec_OK;
  }
  case ipropSectd: State.SectProps.Reset(); return Reader.ReaderProp(Reader.Destination(), Prop, 0);
  case ipropTRowD: return Reader.ReaderProp(Reader.Destination(), Prop, 0);
  default: return rtf_ec_BadTable;
  }
}
