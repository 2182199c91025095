// One formatting pass: the state that is carried from item to item while a document is
// broken into lines, and the steps that place items on lines.
//
// Coordinates are device pixels of the formatting canvas. Lines are filled from the
// left; where a line is finished its pieces keep the positions given here until
// paragraph layout moves them (alignment, tab stops, line spacing).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "richtext/gfx/RPFontTypes.h"
#include "richtext/gfx/RPGraphicInterface.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/layout/DLines.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/model/RPTypes.h"

class TCustomRPFormattedData;
class TRPCanvas;
class TRPFontInfoCache;
class TRPFontInfoCacheItem;
class TParaInfo;
class TRPStyle;

struct TRPFormatParams {
  // x within the line, relative to LineStartX.
  int32_t X = 0;
  // The current line's baseline (the last finished line's between lines).
  int32_t baseline = 0;
  // The current line's extent below and above its baseline.
  int32_t prevdesc = 0;
  int32_t prevabove = 0;
  // Paragraph style of the current paragraph; -1 before the first item.
  int ParaNo = -1;
  // The next line is the first of a paragraph or of a line started by a line break.
  bool IsParaSectionStart = true;
  int32_t LineWidth = 0;
  int32_t LineStartX = 0;
  int32_t LineStartY = 0;
  // Draw items made so far: where the next one goes.
  int LastDrawItem = 0;
  // The current text style's baseline shift (positive raises).
  int32_t VerticalOffs = 0;
  int32_t LeftIndent = 0;
  int32_t RightIndent = 0;
  int32_t FirstIndent = 0;
  // The text style the measuring canvas has; -1 when unknown.
  int LastTextStyle = -1;
  // The first item of the current paragraph; -1 when unknown.
  int FirstParaItemNo = -1;
  // Fixed parts above and below the baseline for at-least and exact line heights.
  int32_t LineHeightAbove = 0;
  int32_t LineHeightBelow = 0;
  // Characters on the current line and the limit (<= 0: none).
  int32_t TextLength = 0;
  int32_t MaxLength = 0;
  // The next line finishing is skipped once (the line of a full-width item).
  bool DontFSL = false;
  // The line holds objects aligned to its top, bottom or middle.
  bool NeedRecalcY = false;
  // A right or centre tab on the line whose width depends on the text after it: its draw
  // item (-1 for none), alignment and stop.
  int LastTabDrawItemNo = -1;
  TRPTabAlign LastTabAlign = rptaLeft;
  int32_t LastTabPosition = 0;
  // A space at the current break was consumed.
  bool SpaceEaten = false;
  TRPFontInfoCache* FontInfoCache = nullptr;
  TRPCanvas* FormatCanvas = nullptr;
  // The current text style's entry and metrics.
  const TRPFontInfoCacheItem* FontInfo = nullptr;
  TRPTextMetric TextMetric;
  bool AllowWordWrap = true;
};

// Places the items of a document on lines, item by item, with the pass's parameters.
class TRPLineFormatter {
public:
  TRPLineFormatter(TCustomRPFormattedData& RPData, TRPFontInfoCache& FontInfoCache,
                   TRPCanvas& Canvas, const TRPScreenAndDevice& sad);

  // Formats one visible item.
  void FormatLine(int ItemNo);
  // Finishes the last line; the extra space below it.
  int32_t FinishLastLine();

  TRPFormatParams Params;

private:
  // The width, height, descent and horizontal shift a non-text item takes on a line.
  struct TObjectSize {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Desc = 0;
    int32_t HShift = 0;
    // Where a list marker is drawn inside its item.
    int32_t MarkerOffset = 0;
  };
  // A measured prefix of a text: its length and size (a soft hyphen's width not added).
  struct TFit {
    int32_t n = 0;
    int32_t Width = 0;
    int32_t Height = 0;
  };

  const TParaInfo& Para(int ParaNo) const;
  const TParaInfo& CurPara() const { return Para(Params.ParaNo); }
  // The current paragraph is not wrapped.
  bool NoWrap() const;
  int32_t SpaceBefore(int ParaNo) const;
  int32_t SpaceAfter(int ParaNo) const;
  bool CharLimitReached() const;

  void DoApplyFontWhileFormatting(int StyleNo);
  // Selects the current text style again after measuring in another one.
  void RestoreFont();
  TSize Measure(TRPTextView Text);
  TObjectSize GetObjectSize(int ItemNo, int32_t LineWidth);

  // Items.
  void FormatFullLineItem(int ItemNo);
  // FromNewLine: the item starts a line in the document; Wrapped: the line before it
  // was wrapped at its end.
  void OnNonText(int ItemNo, bool FromNewLine, bool Wrapped);
  void FormatEmptyText(int ItemNo, bool FromNewLine, bool Wrapped);
  void FormatText(int ItemNo, bool FromNewLine, bool Wrapped);
  void AssignJumpID(int ItemNo);

  // Lines.
  void OnStartNewLine(int ItemNo, bool Wrapping);
  // Takes a trailing space off the line just wrapped, or widens a final soft hyphen.
  void EndWrappedLine();
  // Indents of the line that starts with ItemNo, in Params.
  void GetIndents(int ItemNo, bool ParaSectionStart);
  // A draw item for Length characters of text item ItemNo from Offs (1-based).
  void AddTextDrawItem(int ItemNo, int32_t Offs, int32_t Length, int32_t Width, int32_t Height,
                       bool NewLine, bool ItemStart);
  void InsertDrawItem(std::unique_ptr<TRPDrawLineInfo> DrawItem, int ItemNo, bool ItemStart);
  // The height above the baseline of a new line, and of a line that gets taller.
  void StartLineHeight(int32_t Above);
  void AdjustLineHeight(int32_t Above);
  void SetDescent(int32_t Desc, bool NewLine);

  // Breaking text.
  TFit FindFittingPrefix(TRPTextView Display, TRPTextView Stored, int32_t W, int32_t Limit);
  TFit MaxFitSafe(TRPTextView Display, TRPTextView Stored, int32_t W, int32_t L);
  TFit SearchFittingPrefix(TRPTextView Display, TRPTextView Stored, int32_t W, int32_t L);
  // Measures the first n of L characters; their width for fitting, which includes a
  // hyphen where they end in a soft hyphen.
  int32_t FitWidth(TRPTextView Display, int32_t n, int32_t L, TFit& Measured);
  // The character after which a line holding the first n characters may break, or -1.
  int32_t FindBreak(TRPTextView Text, int32_t n, bool Unicode, bool Decremented) const;
  bool IsLastItemOfSection(int ItemNo);
  bool NextItemsCanBePlacedOnThisLine(int ItemNo, int32_t RestOfWidth, int32_t RestOfChars);
  bool AllowSplitBefore(int ItemNo);
  // The first wrap place after the end of ItemNo, remembered for all items of its word.
  TRPWrapPlace WrapPlaceAfter(int ItemNo);
  // What follows each item of the remembered word up to its wrap place.
  void MeasureGluedWord();
  // Whether the line, with a piece of ItemNo (Text) added, holds only one unbreakable word:
  // then what is glued after the piece cannot fit on any line, and the line is filled.
  bool LineHoldsOneWord(int ItemNo, bool StartsLine, bool ItemStart, TRPTextView Text,
                        bool Unicode);
  // Keeps track of whether the line so far could be broken anywhere.
  void NoteLinePiece(int ItemNo, bool NewLine, bool ItemStart, TRPTextView Text, bool Unicode);
  // The width of the spaces a line ends with, which hang beyond its edge.
  int64_t HangingSpaceWidth();
  // Visit(d, Kept) for the text pieces the current line ends with, from its end back, while
  // they end in spaces: Kept is how many characters a piece has before them. Stops after
  // the first piece that has other characters, and at a non-text item.
  void ForEachLineEndSpaces(const std::function<void(int, int32_t)>& Visit);
  void ClipHangingSpaces();

  // Paragraph layout of lines.
  struct TTabStop {
    int32_t Position = 0;
    std::string Leader;
    TRPTabAlign Align = rptaLeft;
  };
  // The tab stop after the current x of the line.
  TTabStop NextTabStop() const;
  // What a tab to Stop takes on the line before the text after it is known.
  int32_t EstimatedTabWidth(const TTabStop& Stop) const;
  // The width of the tab at Left in draw item DrawItemNo; a right or centre tab becomes
  // the pending one.
  int32_t PlaceTab(const TTabStop& Stop, int32_t Left, int DrawItemNo);
  // Settles the pending tab: the text after it moves to the stop.
  void UpdateLastTab();
  // The x of the first decimal separator in the text pieces from First to the line's end.
  std::optional<int64_t> DecimalSeparatorX(int First);
  // Settles tabs, places objects aligned to the line, spaces and aligns the line; the
  // extra space below it.
  int32_t FinishScreenLine(bool IsParaSectionFinished);
  bool IsLastItemOfPara(int ItemNo);
  // How far the line moves right for Alignment.
  int32_t AlignmentOffset(TRPAlignment Alignment);
  void MoveItems(int First, int32_t DX);
  // The first draw item of the part of the line that justification stretches.
  int StretchStart() const;
  using TStretchMark = std::function<void(int DrawItemNo, TRPDrawLineInfo& Piece, int32_t Count)>;
  // Spreads DX over draw items First.. of the line by weight Count x Height (DefaultDX
  // moves them when nothing weighs), marking each widened piece.
  void StretchLine(int First, const std::vector<int64_t>& Counts, int32_t DX, int32_t DefaultDX,
                   const TStretchMark& Mark);
  void JustifyLine(int32_t DX, int32_t DefaultDX);
  void DistributeLine(int32_t DX, int32_t DefaultDX);
  // Calls Use with a text piece's display text, its style selected on the canvas.
  void WithPieceText(int DrawItemNo, const std::function<void(TRPTextView)>& Use);
  // The vertical extent of the current line's draw items for which Counts holds; false
  // when there are none.
  bool LineExtent(const std::function<bool(int)>& Counts, int64_t& Top, int64_t& Bottom) const;
  // Extra space above and below the line by its line spacing, stored in its draw items.
  int64_t ProcessLineSpacing(const TParaInfo& LinePara);
  // Places the objects aligned to the line's top, bottom or middle; the overflow below.
  int64_t ProcessVAlign(const TParaInfo& LinePara);

  TCustomRPFormattedData& FRPData;
  TRPStyle& FRPStyle;
  TRPGraphicInterface& FGI;
  const TRPScreenAndDevice& FSad;
  // The paragraph of the visible item before the current one, -1 before the first.
  int FPrevParaNo = -1;
  bool FAfterListMarker = false;
  // The last text item ended where its line was wrapped (at its final space).
  bool FLineWrapped = false;
  // The current line went on from a wrapped one, and holds nothing wide yet: spaces at its
  // start belong to the wrap.
  bool FAtWrappedLineStart = false;
  int FLineFirstDrawItem = 0;
  // The current line holds pieces of one unbreakable word only (or nothing yet).
  bool FLineUnbreakable = true;
  // The items glued to each other from First up to their wrap place, and for each of them
  // the width and characters of what follows it there, measured once for the whole word.
  struct TGluedWord {
    int First = -1;
    TRPWrapPlace Place;
    bool Measured = false;
    std::vector<int64_t> RestWidth;
    std::vector<int64_t> RestChars;
  };
  TGluedWord FGlued;
  // Hypertext items numbered so far.
  int32_t FJumpCount = 0;
};
