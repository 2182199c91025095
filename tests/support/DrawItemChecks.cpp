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
