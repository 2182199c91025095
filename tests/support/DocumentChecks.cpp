#include "support/DocumentChecks.h"

#include <string_view>

#include "richtext/gfx/RPCodePage.h"
#include "richtext/model/RPItem.h"
#include "richtext/model/RPLabelItem.h"
#include "richtext/table/RPTable.h"

namespace RPDataTests {

namespace {

std::string Utf8(std::u16string_view Units) {
  std::string Result;
  for (char16_t U : Units) {
    if (U < 0x80) {
      Result += static_cast<char>(U);
    } else if (U < 0x800) {
      Result += static_cast<char>(0xC0 | (U >> 6));
      Result += static_cast<char>(0x80 | (U & 0x3F));
    } else {
      Result += static_cast<char>(0xE0 | (U >> 12));
      Result += static_cast<char>(0x80 | ((U >> 6) & 0x3F));
      Result += static_cast<char>(0x80 | (U & 0x3F));
    }
  }
  return Result;
}

} // namespace

std::vector<std::string> Paragraphs(TCustomRPData& Doc) {
  std::vector<std::string> Result;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    const TCustomRPItemInfo& Item = *Doc.GetItem(i);
    if (Result.empty() || (!Item.SameAsPrev() && !Item.BR()))
      Result.emplace_back();
    else if (Item.BR())
      Result.back() += '\n';
    if (Item.StyleNo == rpsTab)
      Result.back() += '\t';
    else if (Item.StyleNo == rpsBreak)
      Result.back() += "---";
    else if (Item.StyleNo == rpsListMarker || dynamic_cast<const TRPLabelItemInfo*>(&Item))
      Result.back() += RP_UnicodeToAnsi(Item.AsText(0, Doc), CP_UTF8);
    else if (const auto* Table = dynamic_cast<const TRPTableItemInfo*>(&Item))
      for (int r = 0; r < Table->RowCount(); ++r) {
        std::string Row;
        for (int c = 0, Cells = 0; c < Table->ColCount(); ++c)
          if (TRPTableCellData* Cell = Table->Cells(r, c)) {
            const std::vector<std::string> Paras = Paragraphs(*Cell);
            Row += Cells++ > 0 ? " | " : "";
            for (size_t k = 0; k < Paras.size(); ++k)
              Row += (k > 0 ? " / " : "") + Paras[k];
          }
        Result.back() += (r == 0 ? "" : "\n") + Row;
      }
    else if (Item.IsTextItem())
      Result.back() += RP_UnicodeToAnsi(Doc.GetItemTextW(i), CP_UTF8);
  }
  return Result;
}

std::vector<std::string> Layout(const TCustomRPData& Doc) {
  std::vector<std::string> Result;
  for (int i = 0; i < Doc.GetItemCount(); ++i) {
    const TCustomRPItemInfo& Item = *Doc.GetItem(i);
    std::string Line = Item.SameAsPrev() ? "C" : Item.BR() ? "L" : "P";
    Line += std::to_string(Item.ParaNo);
    if (Item.PageBreakBefore())
      Line += "!";
    Line += ":";
    switch (Item.StyleNo) {
    case rpsTab: Line += "<tab>"; break;
    case rpsBreak: Line += "<break>"; break;
    case rpsListMarker: Line += "<marker>"; break;
    default:
      Line += Item.IsTextItem() ? Utf8(Item.TextView().ToUnits())
                                : "<" + std::to_string(Item.StyleNo) + ">";
    }
    Result.push_back(Line);
  }
  return Result;
}

::testing::AssertionResult Consistent(const TCustomRPData& Doc) {
  const int Count = Doc.GetItemCount();
  int ParaNo = -1;
  int WithCheckpoint = 0;
  for (int i = 0; i < Count; ++i) {
    const TCustomRPItemInfo& Item = *Doc.GetItem(i);
    const bool ParaStart = !Item.SameAsPrev() && !Item.BR();
    if (i == 0 && !ParaStart)
      return ::testing::AssertionFailure() << "the first item does not start a paragraph";
    if (i > 0 && Doc.GetItem(i - 1)->GetBoolValue(rpbpFullWidth) && !ParaStart)
      return ::testing::AssertionFailure() << "item " << i << " goes on after a break";
    if (ParaStart)
      ParaNo = Item.ParaNo;
    else if (Item.ParaNo != ParaNo)
      return ::testing::AssertionFailure() << "item " << i << " has paragraph style " << Item.ParaNo
                                           << " in a paragraph of " << ParaNo;
    if (Item.StyleNo == rpsListMarker && i + 1 < Count && !Doc.GetItem(i + 1)->SameAsPrev())
      return ::testing::AssertionFailure() << "the marker at " << i << " is a paragraph alone";
    if (Item.IsTextItem() && Item.Unicode() && Item.ItemText().size() % 2 != 0)
      return ::testing::AssertionFailure() << "item " << i << " has half a UTF-16 unit";
    if (Item.Checkpoint()) {
      ++WithCheckpoint;
      if (Item.Checkpoint()->ItemInfo != &Item)
        return ::testing::AssertionFailure() << "the checkpoint of " << i << " names another";
    }
  }
  int Walked = 0;
  int LastItemNo = -1;
  const TRPCPInfo* Prev = nullptr;
  for (const TRPCPInfo* CP = Doc.FirstCP; CP; Prev = CP, CP = CP->Next) {
    if (CP->Prev != Prev)
      return ::testing::AssertionFailure() << "broken back link in the checkpoint chain";
    const int ItemNo = CP->ItemInfo ? Doc.GetItemNo(CP->ItemInfo) : -1;
    if (ItemNo <= LastItemNo || Doc.GetItem(ItemNo)->Checkpoint() != CP)
      return ::testing::AssertionFailure() << "checkpoint \"" << CP->Name << "\" out of place";
    LastItemNo = ItemNo;
    if (++Walked > Count)
      return ::testing::AssertionFailure() << "the checkpoint chain runs in a circle";
  }
  if (Doc.LastCP != Prev)
    return ::testing::AssertionFailure() << "LastCP is not the end of the chain";
  if (Walked != WithCheckpoint)
    return ::testing::AssertionFailure()
           << Walked << " checkpoints in the chain, " << WithCheckpoint << " on items";
  return ::testing::AssertionSuccess();
}

} // namespace RPDataTests
