#include "richtext/layout/RPLayoutDump.h"

#include <algorithm>
#include <cstdio>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPMarker.h"

std::u16string RP_DrawItemText(TCustomRPFormattedData& Doc, const TRPDrawLineInfo& Piece) {
  const TCustomRPItemInfo& Item = *Doc.GetItem(Piece.ItemNo);
  if (!Item.IsTextItem())
    return {};
  const TRPTextView Text = Item.TextView().Mid(Piece.Offs - 1, Piece.Length);
  if (Text.Unicode())
    return Text.ToUnits();
  const std::string_view Bytes = Item.ItemText();
  const size_t Start = std::min(static_cast<size_t>(std::max(Piece.Offs - 1, 0)), Bytes.size());
  return RP_AnsiToUnicode(Bytes.substr(Start, static_cast<size_t>(std::max(Piece.Length, 0))),
                          Doc.GetItemCodePage(Piece.ItemNo));
}

namespace {

std::string PieceText(TCustomRPFormattedData& Doc, const TRPDrawLineInfo& Piece) {
  const TCustomRPItemInfo& Item = *Doc.GetItem(Piece.ItemNo);
  if (Item.IsTextItem())
    return RP_UnicodeToAnsi(RP_DrawItemText(Doc, Piece), CP_UTF8);
  if (Item.StyleNo == rpsTab)
    return "\u2192";
  if (const auto* Marker = dynamic_cast<const TRPMarkerItemInfo*>(&Item))
    return RP_UnicodeToAnsi(Marker->DisplayString, CP_UTF8);
  if (Item.StyleNo == rpsBreak)
    return "---";
  return "[]";
}

} // namespace

std::vector<TRPLayoutLine> RP_LayoutLines(TCustomRPFormattedData& Doc) {
  std::vector<TRPLayoutLine> Lines;
  for (int d = 0; d < Doc.DrawItems.Count(); ++d) {
    const TRPDrawLineInfo& Piece = Doc.DrawItems[d];
    if (Lines.empty() || Piece.FromNewLine) {
      Lines.push_back({static_cast<int>(Lines.size()) + 1,
                       Piece.Top,
                       Piece.Height,
                       Piece.Left,
                       Piece.Left + Piece.Width,
                       {},
                       Piece.ItemNo});
    } else {
      TRPLayoutLine& Line = Lines.back();
      const int32_t Bottom = std::max(Line.Top + Line.Height, Piece.Top + Piece.Height);
      Line.Top = std::min(Line.Top, Piece.Top);
      Line.Height = Bottom - Line.Top;
      Line.Right = std::max(Line.Right, Piece.Left + Piece.Width);
    }
    Lines.back().Text += PieceText(Doc, Piece);
  }
  return Lines;
}

std::string RP_LayoutLineText(const TRPLayoutLine& Line) {
  char Head[96];
  std::snprintf(Head, sizeof Head, "%4d y=%d h=%d x=%d..%d |", Line.No, Line.Top, Line.Height,
                Line.Left, Line.Right);
  return Head + Line.Text + "|";
}
