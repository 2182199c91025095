// Turning the formatting an RTF file asks for into the engine's text and paragraph styles,
// and deciding which existing style a run or paragraph may reuse.
//
// A style is reused when it equals, field by compared field, the style that would be made
// for the run: comparison happens after the same unit conversion and mapping that making
// a style does, so a style made by one read is found again by the next and loading a file
// twice adds nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "richtext/model/RPFontInfo.h"
#include "richtext/model/RPParaInfo.h"
#include "richtext/rtf/RPRTFProps.h"
#include "richtext/rtf/RPRTFTables.h"

class TRPStyle;

// ---------------------------------------------------------------------------------------
// Text styles

// What decides a run's text style besides its character properties.
struct TRPRTFTextStyleSource {
  const TRPRTFCharProperties* Chars = nullptr;
  const TRPRTFFontList* Fonts = nullptr;
  bool Unicode = false;
  bool SwitchProtect = false;
  // The run is the text of a hyperlink.
  bool Hypertext = false;
  // The document shows text in a direction of its own, so runs keep theirs.
  bool UseDirection = false;
  TRPRTFBiDiMode ParaBiDiMode = rtf_bidi_Unspecified;
  bool UseCharsetForUnicode = false;
  uint8_t CharsetForUnicode = 1;
  // The font table index of the document's default font (\\deff), or -1.
  int32_t DefaultFontIndex = -1;
  // The run's symbol-font glyphs were turned into real characters: the default font
  // draws them.
  bool SymbolMapped = false;
  // The run is the small letters of small-capital text, drawn as smaller capitals.
  bool SmallCapsLower = false;
};

// The charset a text style gets for a font of Charset: PC 437 and Mac text is stored in
// the Windows code page.
uint8_t RPRTFStyleCharset(uint8_t Charset);
// The name of the font a run is in: the one a SYMBOL field names, else its font's.
std::u16string_view RPRTFRunFontName(const TRPRTFCharProperties& Chars,
                                     const TRPRTFFontList& Fonts);

// Fills the fields a read sets; the others keep the values Style has.
void RPRTFMakeTextStyle(TFontInfo& Style, const TRPRTFTextStyleSource& Source,
                        const TRPStyle& RPStyle);
// A hyperlink's text needs a hypertext style; other text takes one only with
// UseHypertextStyles.
bool RPRTFJumpAllowed(const TFontInfo& Style, const TFontInfo& Wanted, bool UseHypertextStyles);
// Whether Style may be used for a run whose new style would be Wanted.
bool RPRTFTextStyleMatches(const TFontInfo& Style, const TFontInfo& Wanted,
                           bool UseHypertextStyles);
// Equal for styles that match.
size_t RPRTFTextStyleHash(const TFontInfo& Style);
// How close Style comes to Wanted, for choosing the closest existing style.
int32_t RPRTFTextStyleCloseness(const TFontInfo& Style, const TFontInfo& Wanted, bool UseDirection);

// ---------------------------------------------------------------------------------------
// Paragraph styles

struct TRPRTFBorderConv {
  TRPBorderStyle Style = rpbNone;
  TRPStyleLength Width = 0;
  TRPStyleLength InternalWidth = 0;
};

// One RTF border side as the engine draws borders. InvertSides: the side is the right or
// the bottom one, where the thick line of a thick-thin border is on the other side.
TRPRTFBorderConv BorderRTF2RP(TRPRTFBorderType Type, int32_t WidthTw, bool InvertSides,
                              const TRPStyle& RPStyle);

struct TRPRTFParaStyleSource {
  const TRPRTFParaProperties* Para = nullptr;
  bool UseDirection = false;
  // The first indent a list marker gave the paragraph, in style units; used when set.
  const TRPStyleLength* MarkerFirstIndent = nullptr;
};

void RPRTFMakeParaStyle(TParaInfo& Style, const TRPRTFParaStyleSource& Source,
                        const TRPStyle& RPStyle);
// TabsAsSpaces: the style sheet turns tabs into spaces, so tab stops do not matter.
bool RPRTFParaStyleMatches(const TParaInfo& Style, const TParaInfo& Wanted, bool TabsAsSpaces);
// Equal for styles that match; the tab stops count unless the style sheet turns tabs into
// spaces.
size_t RPRTFParaStyleHash(const TParaInfo& Style, bool TabsAsSpaces);
int32_t RPRTFParaStyleCloseness(const TParaInfo& Style, const TParaInfo& Wanted,
                                const TRPRTFParaProperties& Para, const TRPStyle& RPStyle,
                                bool UseDirection, bool TabsAsSpaces);

// ---------------------------------------------------------------------------------------
// Finding styles

// The styles of one collection by hash, so that a read finds the first matching style
// without comparing it with every style of a sheet that only grows. Styles added to the
// collection since the last search are taken in before the next one.
class TRPRTFStyleIndex {
public:
  // The lowest index i < Count for which Matches(i) holds, or -1. HashOf(i) must be equal
  // for every i that matches.
  template <typename THashOf, typename TMatches>
  int Find(size_t Hash, int Count, THashOf&& HashOf, TMatches&& Matches) {
    for (; FIndexed < Count; ++FIndexed)
      FBuckets[HashOf(FIndexed)].push_back(FIndexed);
    const auto Bucket = FBuckets.find(Hash);
    if (Bucket == FBuckets.end())
      return -1;
    for (const int Index : Bucket->second)
      if (Index < Count && Matches(Index))
        return Index;
    return -1;
  }

private:
  std::unordered_map<size_t, std::vector<int>> FBuckets;
  int FIndexed = 0;
};
