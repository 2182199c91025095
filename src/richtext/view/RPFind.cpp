#include "richtext/view/RPFind.h"

#include <string_view>

#include "richtext/layout/CRPFData.h"
#include "richtext/model/CRPData.h"
#include "richtext/model/RPItem.h"
#include "richtext/table/RPTable.h"

namespace {

// What stands between the parts of a paragraph that no match may span.
constexpr char16_t Barrier = u'\uFFFC';

char16_t Lower(char16_t Ch) {
  if (Ch >= u'A' && Ch <= u'Z')
    return static_cast<char16_t>(Ch + 0x20);
  if ((Ch >= 0xC0 && Ch <= 0xDE && Ch != 0xD7) || (Ch >= 0x391 && Ch <= 0x3AB && Ch != 0x3A2) ||
      (Ch >= 0x410 && Ch <= 0x42F))
    return static_cast<char16_t>(Ch + 0x20);
  if (Ch >= 0x400 && Ch <= 0x40F)
    return static_cast<char16_t>(Ch + 0x50);
  if (Ch == 0x178)
    return 0xFF;
  // Latin Extended-A pairs its letters upper, lower, except for a few odd runs.
  if (Ch >= 0x100 && Ch <= 0x17E && Ch != 0x130 && Ch != 0x131 && Ch != 0x138 && Ch != 0x149) {
    const bool OddRun = (Ch >= 0x139 && Ch <= 0x148) || (Ch >= 0x179 && Ch <= 0x17E);
    const bool Upper = OddRun ? (Ch % 2 == 1) : (Ch % 2 == 0);
    return Upper ? static_cast<char16_t>(Ch + 1) : Ch;
  }
  return Ch;
}

// The letter without its marks, for the Latin-1 and Latin Extended-A letters, Greek letters
// with a tonos and the Cyrillic ё and й.
char16_t Unmarked(char16_t Ch) {
  static constexpr std::u16string_view Latin1 = // U+00C0 .. U+00FF
      u"AAAAAAACEEEEIIII"
      u"DNOOOOO\u00D7OUUUUYTs"
      u"aaaaaaaceeeeiiii"
      u"dnooooo\u00F7ouuuuyty";
  static constexpr std::u16string_view LatinA = // U+0100 .. U+017F
      u"AaAaAaCcCcCcCcDd"
      u"DdEeEeEeEeEeGgGg"
      u"GgGgHhHhIiIiIiIi"
      u"IiJjJjKkkLlLlLlL"
      u"lLlNnNnNnnNnOoOo"
      u"OoOoRrRrRrSsSsSs"
      u"SsTtTtTtUuUuUuUu"
      u"UuUuWwYyYZzZzZzs";
  if (Ch >= 0xC0 && Ch <= 0xFF)
    return Latin1[Ch - 0xC0];
  if (Ch >= 0x100 && Ch <= 0x17F)
    return LatinA[Ch - 0x100];
  switch (Ch) {
  case 0x386: return 0x391;
  case 0x388: return 0x395;
  case 0x389: return 0x397;
  case 0x38A: return 0x399;
  case 0x38C: return 0x39F;
  case 0x38E: return 0x3A5;
  case 0x38F: return 0x3A9;
  case 0x3AC: return 0x3B1;
  case 0x3AD: return 0x3B5;
  case 0x3AE: return 0x3B7;
  case 0x3AF: return 0x3B9;
  case 0x3CC: return 0x3BF;
  case 0x3CD: return 0x3C5;
  case 0x3CE: return 0x3C9;
  case 0x401: return 0x415;
  case 0x419: return 0x418;
  case 0x439: return 0x438;
  case 0x451: return 0x435;
  default: return Ch;
  }
}

// A paragraph's searchable text, and for each of its code units the item and the caret
// offset before it.
struct TParagraph {
  std::u16string Text;
  std::vector<std::pair<int, int>> Places;

  void Add(char16_t Ch, int ItemNo, int Offs) {
    Text += Ch;
    Places.emplace_back(ItemNo, Offs);
  }
};

class TFinder {
public:
  TFinder(std::u16string_view Pattern, TRPFindOptions Options)
      : FPattern(RP_SearchFold(Pattern, Options)), FOptions(Options) {}

  void Search(TCustomRPData& Doc, std::vector<TRPFoundText>& Found, bool InCell) {
    TParagraph Para;
    for (int i = 0; i < Doc.GetItemCount(); ++i) {
      TCustomRPItemInfo& Item = *Doc.GetItem(i);
      if (!Item.SameAsPrev() && !Item.BR()) {
        Match(Doc, Para, Found);
        Para = {};
      } else if (Item.BR()) {
        Para.Add(Barrier, i, Doc.GetOffsBeforeItem(i));
      }
      if (Doc.IsHiddenItem(i) || Item.StyleNo == rpsListMarker)
        continue;
      if (Item.IsTextItem()) {
        const std::u16string Text = Doc.GetItemTextW(i);
        for (size_t k = 0; k < Text.size(); ++k)
          Para.Add(Text[k], i, static_cast<int>(k) + 1);
      } else if (Item.StyleNo == rpsTab) {
        Para.Add(u'\t', i, 0);
      } else if (auto* Table = dynamic_cast<TRPTableItemInfo*>(&Item); Table && !InCell) {
        SearchTable(*Table, i, Found);
      } else {
        Para.Add(Barrier, i, 0);
      }
    }
    Match(Doc, Para, Found);
  }

private:
  void SearchTable(TRPTableItemInfo& Table, int ItemNo, std::vector<TRPFoundText>& Found) {
    for (int r = 0; r < Table.RowCount(); ++r)
      for (int c = 0; c < Table.ColCount(); ++c)
        if (TRPTableCellData* Cell = Table.Cells(r, c)) {
          const size_t Before = Found.size();
          Search(*Cell, Found, true);
          for (size_t f = Before; f < Found.size(); ++f) {
            Found[f].TableItem = ItemNo;
            Found[f].Row = r;
            Found[f].Col = c;
          }
        }
  }

  void Match(TCustomRPData& Doc, const TParagraph& Para, std::vector<TRPFoundText>& Found) const {
    if (FPattern.empty() || Para.Text.size() < FPattern.size())
      return;
    const std::u16string Text = RP_SearchFold(Para.Text, FOptions);
    for (size_t At = Text.find(FPattern); At != std::u16string::npos;
         At = Text.find(FPattern, At + FPattern.size())) {
      const auto& [FirstItem, FirstOffs] = Para.Places[At];
      const auto& [LastItem, LastOffs] = Para.Places[At + FPattern.size() - 1];
      // The caret after the last unit: one on in text, after the object otherwise.
      Found.push_back({&Doc, FirstItem, FirstOffs, LastItem, LastOffs + 1});
    }
  }

  std::u16string FPattern;
  TRPFindOptions FOptions;
};

} // namespace

std::u16string RP_SearchFold(std::u16string_view Text, TRPFindOptions Options) {
  std::u16string Out(Text);
  for (char16_t& Ch : Out) {
    if (Options.IgnoreAccents)
      Ch = Unmarked(Ch);
    if (!Options.MatchCase)
      Ch = Lower(Ch);
  }
  return Out;
}

void RP_MarkFound(TCustomRPData& Doc, const std::vector<TRPFoundText>& Found) {
  RP_ForEachDocument(Doc, [](TCustomRPData& In) {
    if (auto* Formatted = dynamic_cast<TCustomRPFormattedData*>(&In))
      Formatted->Marks.clear();
  });
  for (const TRPFoundText& Match : Found)
    if (auto* Formatted = dynamic_cast<TCustomRPFormattedData*>(Match.Doc))
      Formatted->Marks.push_back(
          {Match.FirstItem, Match.FirstOffs, Match.LastItem, Match.LastOffs});
}

std::vector<TRPFoundText> RP_FindAll(TCustomRPData& Doc, std::u16string_view Pattern,
                                     TRPFindOptions Options) {
  std::vector<TRPFoundText> Found;
  TFinder(Pattern, Options).Search(Doc, Found, false);
  return Found;
}
