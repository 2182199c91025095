// The RTF keyword table: every control word and control symbol the reader knows, with
// what it does (emit a character, change the destination, change a property, or
// switch the tokenizer into a special mode), and the search the tokenizer uses.
//
// The table is stored in byte-wise keyword order, so the search needs no set-up and
// no sort runs at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// What a row does with its keyword.
enum TRPRTFKeywordType : uint8_t {
  rtf_kwd_Char,     // emit the byte Idx
  rtf_kwd_WideChar, // emit the UTF-16 unit DefValue, or the byte Idx without Unicode output
  rtf_kwd_Dest,     // change the destination to the TRTFIDEST Idx
  rtf_kwd_Prop,     // change the TRTFIPROP Idx
  rtf_kwd_Spec      // tokenizer mode, the TRTFIPFN Idx
};

// Which pending text a property change must flush first. Only rtf_af_CharProp and
// rtf_af_BothProp flush; rtf_af_ParaProp merely marks paragraph keywords.
enum TRPRTFKeywordAffect : uint8_t {
  rtf_af_None,
  rtf_af_CharProp,
  rtf_af_ParaProp,
  rtf_af_BothProp
};

// Special keywords.
enum TRTFIPFN : uint8_t { ipfnBin, ipfnHex, ipfnSkipDest };

// Destinations.
enum TRTFIDEST : uint8_t {
  idestNormal,
  idestShpPict,
  idestNonShpPict,
  idestPict,
  idestSkip,
  idestFontTable,
  idestStyleSheet,
  idestColorTable,
  idestStyleSheetParaStyle,
  idestStyleSheetCharStyle,
  idestStyleSheetSectStyle,
  idestStyleSheetTableStyle,
  idestBmkStart,
  idestInfo,
  idestAuthor,
  idestTitle,
  idestDocComm,
  idestField,
  idestFldInst,
  idestFldRslt,
  idestNestedTableProps,
  idestHeader,
  idestFooter,
  idestHeaderL,
  idestFooterL,
  idestHeaderR,
  idestFooterR,
  idestHeaderF,
  idestFooterF,
  idestNote,
  idestPNTextAfter,
  idestPNTextBefore,
  idestPN,
  idestPNSecLvl,
  idestListTable,
  idestList,
  idestListName,
  idestListLevel,
  idestLevelText,
  idestLevelNumbers,
  idestLOTable,
  idestLO,
  idestLOLevel,
  idestObject,
  idestObjData,
  idestObjResult,
  idestUpr,
  idestUd,
  // Drawing shapes and their text boxes.
  idestShape,
  idestShapeInst,
  idestShapeText,
  idestShapeResult,
  idestShapeProp,
  idestShapePropName,
  idestShapePropValue,
  // The marker text a writer adds for readers without lists (\listtext, \pntext).
  idestListText
};

// Properties. ipropListTemplateId, ipropListName and ipropNoResetLev have no keyword
// (ipropNoResetLev is set only by the reader itself); ipropMax ends the list.
enum TRTFIPROP : uint8_t {
  ipropBold,
  ipropItalic,
  ipropStrike,
  ipropUnderline,
  ipropUnderlineType,
  ipropUnderlineColor,
  ipropTextBiDi,
  ipropCharScaleX,
  ipropCharSpacing,
  ipropSScript,
  ipropVShiftUp,
  ipropVShiftDown,
  ipropAllCaps,
  ipropFontSize,
  ipropTextColor,
  ipropTextBackColor,
  ipropHighlight,
  ipropLanguage,
  ipropDefLanguage,
  ipropSL,
  ipropSLMult,
  ipropLeftInd,
  ipropRightInd,
  ipropFirstInd,
  ipropCols,
  ipropPgnX,
  ipropPgnY,
  ipropHeaderY,
  ipropFooterY,
  ipropTitlePg,
  ipropXaPage,
  ipropYaPage,
  ipropXaLeft,
  ipropXaRight,
  ipropYaTop,
  ipropYaBottom,
  ipropPgnStart,
  ipropSbk,
  ipropPgnFormat,
  ipropFacingp,
  ipropMirrorMargins,
  ipropLandscape,
  ipropViewScale,
  ipropViewZoomKind,
  ipropJust,
  ipropParaBiDi,
  ipropParD,
  ipropPlain,
  ipropSectd,
  ipropF,
  ipropAF,
  ipropDefF,
  ipropSpaceBefore,
  ipropSpaceAfter,
  ipropCharBorderSide,
  ipropParaBorderType,
  ipropParaBorderSide,
  ipropParaBorderWidth,
  ipropParaBorderColor,
  ipropParaBorderSpace,
  ipropParaColor,
  ipropParaFColor,
  ipropParaShading,
  ipropOutLineLevel,
  ipropAnsiCodePage,
  ipropU,
  ipropUC,
  ipropPage,
  ipropHidden,
  ipropKeepLinesTogether,
  ipropKeepWithNext,
  ipropTX,
  ipropTabAlign,
  ipropTabLeader,
  ipropListTab,
  ipropRed,
  ipropGreen,
  ipropBlue,
  ipropFontFamily,
  ipropFCharset,
  ipropS,
  ipropCS,
  ipropTS,
  ipropDS,
  ipropSBasedOn,
  ipropSLink,
  ipropSNext,
  ipropAdditive,
  ipropSHidden,
  ipropSQuickAccess,
  ipropPicW,
  ipropPicH,
  ipropPicScaleX,
  ipropPicScaleY,
  ipropPicWGoal,
  ipropPicHGoal,
  ipropWBMWidthBytes,
  ipropWBMBitsPixel,
  ipropWBMPlanes,
  ipropPictureType,
  ipropMetafile,
  ipropPicBmp,
  ipropObjType,
  ipropObjWidth,
  ipropObjHeight,
  ipropPNLevel,
  ipropPNHanging,
  ipropPNType,
  ipropPNBold,
  ipropPNItalic,
  ipropPNUnderline,
  ipropPNStrike,
  ipropPNColor,
  ipropPNF,
  ipropPNFontSize,
  ipropPNIndent,
  ipropPNSp,
  ipropPNAlign,
  ipropPNStart,
  ipropPNSecLvl,
  ipropListId,
  ipropListTemplateId,
  ipropListSimple,
  ipropListName,
  ipropLevelStartAt,
  ipropLevelNumberType,
  ipropLevelJustify,
  ipropLevelOld,
  ipropLevelIndent,
  ipropLevelSpace,
  ipropLevelFollow,
  ipropLevelLegal,
  ipropLevelNoRestart,
  ipropLOCount,
  ipropLONumber,
  ipropLOStart,
  ipropLevel,
  ipropThisIsEndnote,
  ipropNoteCharacter,
  ipropFootNoteRestart,
  ipropRowEnd,
  ipropCellEnd,
  ipropInTbl,
  ipropItap,
  ipropLastRow,
  ipropTRowD,
  ipropRowAlign,
  ipropTRGapH,
  ipropTRLeft,
  ipropTRRowHeight,
  ipropTRHeader,
  ipropTRPaddL,
  ipropTRPaddR,
  ipropTRPaddT,
  ipropTRPaddB,
  ipropTRPaddFL,
  ipropTRPaddFR,
  ipropTRPaddFT,
  ipropTRPaddFB,
  ipropTRSpdL,
  ipropTRSpdR,
  ipropTRSpdT,
  ipropTRSpdB,
  ipropTRSpdFL,
  ipropTRSpdFR,
  ipropTRSpdFT,
  ipropTRSpdFB,
  ipropTRwWidth,
  ipropTRftsWidth,
  ipropTRKeepTogether,
  ipropCLVMerge,
  ipropCLHMerge,
  ipropCLTextFlow,
  ipropCLwWidth,
  ipropCLftsWidth,
  ipropCLColor,
  ipropCLFColor,
  ipropCLShading,
  ipropCLVertAl,
  ipropCellX,
  ipropTRBorderSide,
  ipropBorderSideUnknown,
  ipropCLBorderSide,
  ipropNoTableEv,
  ipropNoResetLev,
  ipropRPCellBestWidth,
  ipropRPCellBestHeight,
  ipropRPTableBestWidth,
  ipropRPCellBestWidthTw,
  ipropRPCellBestHeightTw,
  ipropRPTableBestWidthTw,
  ipropFontCodePage,
  ipropSmallCaps,
  ipropRPRule,
  ipropMax
};

// One row of the keyword table.
struct TRPRTFsymbol {
  // The control word without its backslash; a control symbol is its one character.
  std::string_view Keyword;
  // The value when the word has no parameter (or always, with UseDef); for
  // rtf_kwd_WideChar rows, the UTF-16 unit to emit.
  int32_t DefValue;
  // The parameter is ignored and DefValue always used.
  bool UseDef;
  TRPRTFKeywordType Kwd;
  // By kind: the byte (Char; WideChar's fallback, 0 for none), a TRTFIDEST, a
  // TRTFIPROP or a TRTFIPFN.
  int32_t Idx;
  TRPRTFKeywordAffect AffectTo;
};

inline constexpr int rgsymRtfCount = 414;

// Every keyword, in ascending byte-wise order of Keyword (unsigned bytes, case
// matters, a word before every longer word it begins).
extern const std::array<TRPRTFsymbol, rgsymRtfCount> rgsymRtf;

// The row of Keyword in rgsymRtf, or -1. Byte-wise and case-sensitive: "B" is not "b".
int FindKeyword(std::string_view Keyword);
