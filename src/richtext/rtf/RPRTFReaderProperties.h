// The RTF builder: reads RTF into a document, turning the reader's runs into text and tab
// items whose text and paragraph styles are found in, or added to, the document's style
// sheet. One object belongs to every viewer as its reader settings.
//
// Text is never dropped for want of a subsystem: notes are numbered in the text and
// follow it under a rule, text boxes read as paragraphs where their shapes stand, symbol
// fonts' glyph numbers become the characters they show.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/model/CRPData.h"
#include "richtext/rtf/RPRTFReader.h"
#include "richtext/rtf/RPRTFStyleConv.h"

class TRPStyle;
class TRPRTFListMemory;

enum TRPReaderUnicode : uint8_t { rpruNoUnicode, rpruMixed, rpruOnlyUnicode };
enum TRPReaderStyleMode : uint8_t { rprsUseSpecified, rprsUseClosest, rprsAddIfNeeded };
// In the order of the reader's TRPRTFHighlightMode.
enum TRPRTFHighlight : uint8_t { rtfhlFixedColors, rtfhlColorTable, rtfhlIgnore };

// An extension hook for text styles with fields of their own: a style is reused only when
// AreMatched agrees, SimilarityValue adds to the closeness of a style, and AssignFromRTF
// completes a style the read adds.
class TRPRTFStyleComparer {
public:
  virtual ~TRPRTFStyleComparer() = default;
  virtual bool AreMatched(const TFontInfo& TextStyle, const TRPRTFCharProperties& CharProps) = 0;
  virtual int32_t SimilarityValue(const TFontInfo& TextStyle,
                                  const TRPRTFCharProperties& CharProps) = 0;
  virtual void AssignFromRTF(TFontInfo& TextStyle, const TRPRTFCharProperties& CharProps) = 0;
};

class TRPRTFReaderProperties : public TCustomRPRTFReaderProperties {
public:
  TRPRTFReaderProperties();
  ~TRPRTFReaderProperties() override;

  TRPRTFErrorCode ReadFromFile(const std::string& FileName, TCustomRPData& RPData) override;
  TRPRTFErrorCode ReadFromStream(std::string_view Data, TCustomRPData& RPData) override;
  // Appends what Source holds to RPData.
  TRPRTFErrorCode ReadFromSource(IRPByteSource& Source, TCustomRPData& RPData);

  // Settings.
  TRPReaderUnicode UnicodeMode = rpruOnlyUnicode;
  TRPReaderStyleMode TextStyleMode = rprsUseClosest;
  TRPReaderStyleMode ParaStyleMode = rprsUseClosest;
  int32_t TextStyleNo = 0;
  int32_t ParaStyleNo = 0;
  bool IgnoreBookmarks = false;
  // Footnotes and endnotes are read unless set: their reference marks show as numbers and
  // their text follows the document's.
  bool IgnoreNotes = false;
  // Tables are read as paragraphs, a cell's each, unless set.
  bool IgnoreTables = false;
  // Tables: one padding for all sides of cells (the mean of all the rows gave), grid lines
  // hidden, and a table without a width taking the width of its column lines.
  bool UseSingleCellPadding = false;
  bool AutoHideTableGridLines = false;
  bool ExplicitTableWidth = false;
  // The pixels all pictures of a read may have together.
  int64_t PicturePixelBudget = RP_RTF_PICTURE_PIXEL_BUDGET;
  bool UseHypertextStyles = false;
  bool SkipHiddenText = true;
  bool LineBreaksAsParagraphs = false;
  TRPRTFHighlight ConvertHighlight = rtfhlColorTable;
  bool BasePathLinks = true;
  bool UseCharsetForUnicode = false;
  uint8_t CharsetForUnicode = 1;
  // Not owned; none by default.
  TRPRTFStyleComparer* StyleComparer = nullptr;
  // For rprsUseClosest: whether a style may be chosen at all.
  std::function<void(TRPRTFReaderProperties& Sender, TCustomRPData& RPData, int StyleNo,
                     bool TextStyle, bool& Allow)>
      OnAllowUseStyle;

private:
  class TRead;
  // What earlier reads made of the files' lists, so that reading a file again adds no list
  // style.
  std::unique_ptr<TRPRTFListMemory> FListMemory;
};
