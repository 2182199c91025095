#include "support/DrawItemChecks.h"

#include <gtest/gtest.h>

#include "richtext/layout/CRPFData.h"
#include "richtext/model/RPItem.h"

void ExpectDrawItemInvariants(const TCustomRPFormattedData& Doc) {
  const TRPDrawLines& D = Doc.DrawItems;
  if (D.Count() > 0) {
    EXPECT_TRUE(D[0].FromNewLine);
  }
  for (int i = 0; i < D.Count(); ++i) {
    const TCustomRPItemInfo& Item = *Doc.GetItem(D[i].ItemNo);
    EXPECT_GE(D[i].Length, 0) << "draw item " << i;
    if (Item.IsTextItem()) {
      EXPECT_GE(D[i].Offs, 1) << "draw item " << i;
    }
    if (i == 0)
      continue;
    const TRPDrawLineInfo& Prev = D[i - 1];
    ASSERT_GE(D[i].ItemNo, Prev.ItemNo) << "draw item " << i;
    if (!D[i].FromNewLine) {
      EXPECT_GE(D[i].Left, Prev.Left) << "draw item " << i;
    }
    if (D[i].ItemNo != Prev.ItemNo)
      continue;
    ASSERT_GE(D[i].Offs, Prev.Offs + Prev.Length) << "draw item " << i;
    const TRPTextView Text = Item.TextView();
    for (int32_t k = Prev.Offs + Prev.Length; k < D[i].Offs; ++k)
      EXPECT_EQ(Text[k - 1], u' ') << "draw item " << i;
  }
  for (int ItemNo = 0; ItemNo < Doc.GetItemCount(); ++ItemNo)
    EXPECT_EQ(Doc.GetItem(ItemNo)->DrawItemNo, Doc.FindDrawItemByItem(ItemNo)) << "item " << ItemNo;
}

std::u16string SelectedText(const TCustomRPFormattedData& Doc) {
  if (!Doc.SelectionExists(false))
    return u"";
  TRPDrawItemPos S, E;
  Doc.GetSelectionBounds(S, E, true);
  std::u16string Out;
  for (int i = S.No; i <= E.No; ++i) {
    const TRPDrawLineInfo& D = Doc.DrawItems[i];
    if (i > S.No && D.FromNewLine)
      Out += u'|';
    const TCustomRPItemInfo& Item = *Doc.GetItem(D.ItemNo);
    if (!Item.IsTextItem()) {
      if (!(i == E.No && E.Offs == 0) && !(i == S.No && S.Offs == 1))
        Out += u"[]";
      continue;
    }
    const int From = i == S.No ? S.Offs : 1, To = i == E.No ? E.Offs : D.Length + 1;
    Out += Item.TextView().Mid(D.Offs - 1 + From - 1, To - From).ToUnits();
  }
  return Out;
}
